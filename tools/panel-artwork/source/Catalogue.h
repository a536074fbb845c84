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

// Every picture the plug-in embeds, group by group, each group in its stored order. Problems of
// the panel's layout (legends colliding with each other or with controls) are added to
// `layoutProblems`.
std::vector<Picture> drawCatalogue (const Fonts& fonts, juce::StringArray& layoutProblems);

const Picture* findPicture (const std::vector<Picture>& pictures, const juce::String& folder, const juce::String& name);

// The panel with every control placed on it in a typical state, and sheets showing every frame,
// for judging the artwork as a whole. Written next to each other into `folder`.
bool writePreviews (const std::vector<Picture>& pictures, const Fonts& fonts, const juce::File& folder);
} // namespace artwork
