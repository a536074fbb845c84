#include "EchoLookAndFeel.h"

#include "PanelPictures.h"

#include <algorithm>

namespace
{
size_t positionOf (const panelpictures::PictureGroup& group)
{
    const auto& groups = panelpictures::catalogue::groups;
    return (size_t) (std::find (groups.begin(), groups.end(), &group) - groups.begin());
}
} // namespace

void EchoLookAndFeel::DecodedSet::decode (size_t set)
{
    decoded = true;
    scale = panelpictures::pictureSets[set].scale;

    for (const auto& embedded : panelpictures::embeddedGroups())
    {
        if (&embedded.set != &panelpictures::pictureSets[set] || &embedded.catalogue == &panelpictures::catalogue::bg)
            continue;

        auto& pictures = groups[positionOf (embedded.catalogue)];

        for (size_t i = 0; i < embedded.catalogue.count; ++i)
            pictures.push_back (juce::ImageCache::getFromMemory (embedded.pictures[i].data, embedded.pictures[i].size));
    }
}

const EchoLookAndFeel::Pictures&
EchoLookAndFeel::DecodedSet::operator[] (const panelpictures::PictureGroup& group) const
{
    return groups[positionOf (group)];
}

// The 1x pictures are decoded here, once, so that painting only picks and blits; the 2x set,
// which takes most of the time and memory, only when a scaled screen first draws it. A picture
// that cannot be decoded stays a null image and simply draws nothing.
EchoLookAndFeel::EchoLookAndFeel() : textFont ("Arial", 11.0f, juce::Font::plain) { sets[0].decode (0); }

EchoLookAndFeel::~EchoLookAndFeel() = default;

size_t EchoLookAndFeel::pictureSetFor (juce::Graphics& g)
{
    const float physicalScale = g.getInternalContext().getPhysicalPixelScaleFactor();

    for (size_t set = 0; set + 1 < panelpictures::pictureSets.size(); ++set)
        if (physicalScale <= (float) panelpictures::pictureSets[set].scale)
            return set;

    return panelpictures::pictureSets.size() - 1;
}

const EchoLookAndFeel::DecodedSet& EchoLookAndFeel::picturesFor (juce::Graphics& g)
{
    const auto set = pictureSetFor (g);

    if (! sets[set].decoded)
        sets[set].decode (set);

    return sets[set];
}
