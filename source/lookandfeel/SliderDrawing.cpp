#include "EchoLookAndFeel.h"

#include "../model/PanelLayout.h"

#include <algorithm>

namespace catalogue = panelpictures::catalogue;

namespace
{
// A frame of an n-frame strip for a proportional position: the position's share of n frames,
// truncated, with the very top (1.0) held on the last frame.
const juce::Image* evenFrame (const std::vector<juce::Image>& strip, float proportion)
{
    const int frameCount = (int) strip.size();
    return &strip[(size_t) std::min ((int) (proportion * (float) frameCount), frameCount - 1)];
}

// The knob strip is walked with a slightly short stride: 1.0 lands on frame 112, and frames 113
// and 114 are never shown. The product is taken in single precision, the stride in double.
size_t knobFrame (float proportion)
{
    const float scaled = proportion * 114.0f;
    return (size_t) (int) ((double) scaled * 0.99);
}
} // namespace

const juce::Image* EchoLookAndFeel::rotaryFrame (const DecodedSet& pictures, const juce::String& sliderName,
                                                 float proportion)
{
    // A slider always reports 0 to 1; anything else (not a number included) is held to the ends
    // so that no formula can leave its strip.
    const float p = proportion >= 0.0f ? std::min (proportion, 1.0f) : 0.0f;

    if (sliderName == panel::inputSlider.name || sliderName == panel::lengthSlider.name ||
        sliderName == panel::volumeSlider.name || sliderName == panel::toneSlider.name)
        return &pictures[catalogue::knob][knobFrame (p)];

    if (sliderName == panel::selectionSlider.name)
        return evenFrame (pictures[catalogue::knob3], p);

    if (sliderName == panel::delaySelectionSlider.name)
        return evenFrame (pictures[catalogue::knob12], p);

    if (sliderName == panel::vuSlider.name)
        return evenFrame (pictures[catalogue::cateye], p);

    // A rotary slider named "Fader" (none of the panel's: its fader is "BpmSlider") shows the handle.
    if (sliderName == "Fader")
        return &pictures[catalogue::fader][0];

    return nullptr;
}

void EchoLookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float,
                                        float, juce::Slider& slider)
{
    if (const auto* frame = rotaryFrame (picturesFor (g), slider.getName(), sliderPos))
        g.drawImage (*frame, x, y, width, height, 0, 0, frame->getWidth(), frame->getHeight(), false);
}

// The fader slot is printed on the panel, so no track is drawn.
void EchoLookAndFeel::drawLinearSliderBackground (juce::Graphics&, int, int, int, int, float, float, float,
                                                  juce::Slider::SliderStyle, juce::Slider&)
{
}

// The handle is centred on the thumb position and spans the track's height, keeping its shape.
void EchoLookAndFeel::drawLinearSliderThumb (juce::Graphics& g, int, int y, int, int height, float sliderPos, float,
                                             float, juce::Slider::SliderStyle, juce::Slider& slider)
{
    if (slider.getName() != panel::bpmSlider.name)
        return;

    // Placed by the handle's size on the panel, whichever set draws it.
    const auto& pictures = picturesFor (g);
    const auto& fader = pictures[catalogue::fader][0];
    const int w = fader.getWidth() / pictures.scale;
    const int h = fader.getHeight() / pictures.scale;

    if (h == 0)
        return;

    const int left = (int) ((double) sliderPos - w * 0.5);
    g.drawImage (fader, left, y, (height * w) / h, height, 0, 0, fader.getWidth(), fader.getHeight(), false);
}
