#pragma once

#include "ArtworkCommon.h"

#include <vector>

namespace artwork
{
struct Picture
{
    juce::String folder; // one folder per image group, named like the group's source unit
    juce::String name;   // file name without ".png"
    juce::Image image;
};

// Every picture of the picture catalogue, group by group, each group in its stored order, drawn
// at `scale` times the catalogue's size. Problems are added to `problems`: a picture drawn at
// another size or colour type than the catalogue lists, and the panel's layout problems (legends
// colliding with each other or with controls).
std::vector<Picture> drawCatalogue (const Fonts& fonts, int scale, juce::StringArray& problems);

const Picture* findPicture (const std::vector<Picture>& pictures, const juce::String& folder, const juce::String& name);

// The panel with every control placed on it in a typical state, and sheets showing every frame,
// for judging the artwork as a whole. Written next to each other into `folder`.
bool writePreviews (const std::vector<Picture>& pictures, const Fonts& fonts, const juce::File& folder);
} // namespace artwork
