#include "ControlStandIn.h"

#include "lookandfeel/PanelPictures.h"

namespace
{
struct SliderSetUp
{
    const char* name;
    juce::Rectangle<int> bounds;
    juce::Slider::SliderStyle style;
    double minimum, maximum, interval, value;
};

// In the editor's order, which is also the order in which they overlap.
const SliderSetUp sliderSetUps[] = {
    { "InputSlider", { 88, 105, 91, 91 }, juce::Slider::RotaryVerticalDrag, 0.0, 1.0, 0.008771, 0.55 },
    { "LengthSlider", { 191, 105, 91, 91 }, juce::Slider::RotaryVerticalDrag, 0.0, 1.0, 0.008771, 0.4 },
    { "VolumeSlider", { 295, 105, 91, 91 }, juce::Slider::RotaryVerticalDrag, 0.0, 1.0, 0.008771, 0.7 },
    { "ToneSlider", { 491, 105, 91, 91 }, juce::Slider::RotaryVerticalDrag, 0.0, 1.0, 0.008771, 0.5 },
    { "SelectionSlider", { 596, 105, 91, 91 }, juce::Slider::RotaryVerticalDrag, 0.0, 1.0, 0.33, 0.66 },
    { "DelaySelectionSlider", { 699, 105, 91, 91 }, juce::Slider::RotaryVerticalDrag, 0.0, 1.0, 0.083, 0.415 },
    { "BpmSlider", { 325, 253, 190, 32 }, juce::Slider::LinearHorizontal, 0.2, 1.0, 0.01, 0.6 },
    { "VUSlider", { 395, 105, 86, 86 }, juce::Slider::RotaryVerticalDrag, 0.0, 1.0, 0.04, 0.6 },
};

struct ButtonSetUp
{
    const char* name;
    juce::Rectangle<int> bounds;
    int radioGroup;
    bool on;
};

// Effect 1 and the host tempo at 8/8 are on; the logo hot-spot starts on, as in the editor.
const ButtonSetUp buttonSetUps[] = {
    { "btn1Button", { 352, 39, 60, 42 }, 0, true },
    { "btn2Button", { 410, 39, 56, 42 }, 0, false },
    { "btn3Button", { 464, 39, 60, 42 }, 0, false },
    { "btn58Button", { 654, 263, 31, 20 }, 1, false },
    { "btn68Button", { 686, 263, 31, 20 }, 1, false },
    { "btn78Button", { 718, 263, 31, 20 }, 1, false },
    { "btn88Button", { 750, 263, 31, 20 }, 1, true },
    { "btnmanualButton", { 245, 263, 42, 22 }, 2, false },
    { "btnhostButton", { 195, 263, 42, 22 }, 2, true },
    { "btnclassicButton", { 145, 263, 42, 22 }, 2, false },
    { "FHAButton", { 60, 48, 100, 45 }, 0, true },
};
} // namespace

ControlStandIn::ControlStandIn()
{
    setLookAndFeel (&lookAndFeel);
    setSize (876, 300);

    for (size_t i = 0; i < sliders.size(); ++i)
    {
        const auto& setUp = sliderSetUps[i];
        auto& slider = sliders[i];
        slider.setName (setUp.name);
        slider.setSliderStyle (setUp.style);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setRange (setUp.minimum, setUp.maximum, setUp.interval);
        slider.setValue (setUp.value, juce::dontSendNotification);
        slider.setBounds (setUp.bounds);
        addAndMakeVisible (slider);
    }

    for (size_t i = 0; i < buttons.size(); ++i)
    {
        const auto& setUp = buttonSetUps[i];
        auto& button = buttons[i];
        button.setName (setUp.name);
        button.setButtonText (setUp.name);
        button.setClickingTogglesState (true);
        button.setRadioGroupId (setUp.radioGroup, juce::dontSendNotification);
        button.setToggleState (setUp.on, juce::dontSendNotification);
        button.setBounds (setUp.bounds);
        addAndMakeVisible (button);
    }

    // The magic-eye lamp only shows the level; the editor sets it, the mouse cannot.
    sliders.back().setEnabled (false);
}

ControlStandIn::~ControlStandIn()
{
    setLookAndFeel (nullptr);
}

void ControlStandIn::paint (juce::Graphics& g)
{
    const auto panel = panelpictures::background();
    g.drawImageAt (juce::ImageCache::getFromMemory (panel.data, panel.size), 0, 0);
}
