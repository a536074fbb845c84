#pragma once

#include "ArtworkCommon.h"

namespace artwork
{
// The whole 876 x 300 front panel without its moving parts: printed legends and scales, the
// recesses and bezels the controls sit in, the logo and the nameplate. Opaque RGB. Legends that
// collide with each other or with a control are reported in `layoutProblems`.
juce::Image drawPanel (int scale, const Fonts& fonts, juce::StringArray& layoutProblems);
} // namespace artwork
