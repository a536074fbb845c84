#pragma once

#include "EmbeddedPictures.h"

// The front-panel pictures as the build embeds them: one accessor per group of the catalogue
// (resources/PictureCatalogue.cmake), each group in its stored order.
namespace panelpictures
{
// The panel itself, from the picture set at position `set`: the editor draws it, the look and
// feel does not keep it.
inline EmbeddedPicture background (std::size_t set) { return bg (set)[0]; }
} // namespace panelpictures
