#include "EchoLookAndFeel.h"

#include "PanelPictures.h"

namespace
{
juce::Image decode (const panelpictures::EmbeddedPicture& picture)
{
    return juce::ImageCache::getFromMemory (picture.data, picture.size);
}

template <size_t count>
void decodeGroup (std::array<juce::Image, count>& images,
                  const std::array<panelpictures::EmbeddedPicture, count>& group)
{
    for (size_t i = 0; i < count; ++i)
        images[i] = decode (group[i]);
}
} // namespace

void EchoLookAndFeel::DecodedSet::decode (size_t set)
{
    decoded = true;
    scale = panelpictures::pictureSets[set].scale;
    decodeGroup (btn1, panelpictures::btn1 (set));
    decodeGroup (btn2, panelpictures::btn2 (set));
    decodeGroup (btn3, panelpictures::btn3 (set));
    decodeGroup (cateye, panelpictures::cateye (set));
    decodeGroup (knob, panelpictures::knob (set));
    fader = ::decode (panelpictures::fader (set)[0]);
    decodeGroup (knob3, panelpictures::knob3 (set));
    decodeGroup (knob12, panelpictures::knob12 (set));
    decodeGroup (btn58, panelpictures::btn58 (set));
    decodeGroup (btn68, panelpictures::btn68 (set));
    decodeGroup (btn78, panelpictures::btn78 (set));
    decodeGroup (btn88, panelpictures::btn88 (set));
    decodeGroup (classic, panelpictures::classic (set));
    decodeGroup (manual, panelpictures::manual (set));
    decodeGroup (host, panelpictures::host (set));
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
