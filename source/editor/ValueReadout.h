#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <vector>

// A small readout of a knob's or the fader's slot: its name above its value text. It shows while
// the mouse is over one of the sliders it follows or drags it, and when the wheel turns one; it
// sits just above that slider (below it where the panel's edge is too near) and takes no mouse
// input itself. Its parent is the component the sliders sit in, so it scales with them.
class ValueReadout : public juce::Component, private juce::Slider::Listener
{
public:
    // The name and the value text of the slot a slider writes.
    struct Text
    {
        juce::String name, value;
    };
    using Describe = std::function<Text (const juce::Slider&)>;

    static constexpr int width = 120;
    static constexpr int height = 36;

    explicit ValueReadout (Describe);
    ~ValueReadout() override;

    // Shows the readout for this slider from now on.
    void follow (juce::Slider&);

    // Shows the readout for this slider now, as when the mouse comes over it.
    void show (juce::Slider&);

    // The slider the readout shows, or nullptr while it is hidden.
    const juce::Slider* shownSlider() const { return shown; }
    // What it shows, read from the slot when asked: the processor holds the value a slider has
    // just written only after every listener of the slider has heard of the change.
    Text shownText() const { return shown != nullptr ? describe (*shown) : Text {}; }

    void paint (juce::Graphics&) override;

private:
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    void sliderValueChanged (juce::Slider*) override;

    juce::Slider* followedSlider (const juce::MouseEvent&) const;
    void hide();

    Describe describe;
    std::vector<juce::Slider*> followed;
    juce::Slider* shown = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ValueReadout)
};
