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

// Every picture is decoded here, once, so that painting only picks and blits. A picture that
// cannot be decoded stays a null image and simply draws nothing.
EchoLookAndFeel::EchoLookAndFeel() : textFont ("Arial", 11.0f, juce::Font::plain)
{
    decodeGroup (btn1, panelpictures::btn1());
    decodeGroup (btn2, panelpictures::btn2());
    decodeGroup (btn3, panelpictures::btn3());
    decodeGroup (cateye, panelpictures::cateye());
    decodeGroup (knob, panelpictures::knob());
    fader = decode (panelpictures::fader()[0]);
    decodeGroup (knob3, panelpictures::knob3());
    decodeGroup (knob12, panelpictures::knob12());
    decodeGroup (btn58, panelpictures::btn58());
    decodeGroup (btn68, panelpictures::btn68());
    decodeGroup (btn78, panelpictures::btn78());
    decodeGroup (btn88, panelpictures::btn88());
    decodeGroup (classic, panelpictures::classic());
    decodeGroup (manual, panelpictures::manual());
    decodeGroup (host, panelpictures::host());
}

EchoLookAndFeel::~EchoLookAndFeel() = default;
