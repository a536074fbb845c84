#include "ValueReadout.h"

#include "../lookandfeel/EchoLookAndFeel.h"

#include <algorithm>

ValueReadout::ValueReadout (Describe describeSlot) : describe (std::move (describeSlot))
{
    setInterceptsMouseClicks (false, false);
    setAlwaysOnTop (true);
    setVisible (false);
}

ValueReadout::~ValueReadout()
{
    for (auto* slider : followed)
    {
        slider->removeMouseListener (this);
        slider->removeListener (this);
    }
}

void ValueReadout::follow (juce::Slider& slider)
{
    followed.push_back (&slider);
    slider.addMouseListener (this, false);
    slider.addListener (this);
}

void ValueReadout::paint (juce::Graphics& g)
{
    const auto text = shownText();
    EchoLookAndFeel::drawValueReadout (g, getLocalBounds().toFloat(), text.name, text.value);
}

juce::Slider* ValueReadout::followedSlider (const juce::MouseEvent& e) const
{
    const auto found = std::find (followed.begin(), followed.end(), e.eventComponent);
    return found != followed.end() ? *found : nullptr;
}

void ValueReadout::mouseEnter (const juce::MouseEvent& e)
{
    if (auto* slider = followedSlider (e))
        show (*slider);
}

void ValueReadout::mouseDown (const juce::MouseEvent& e) { mouseEnter (e); }

void ValueReadout::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails&) { mouseEnter (e); }

// The framework holds a dragged slider under the mouse until the button is up, so a drag keeps
// the readout up off the knob too, and it goes when the button is released away from it.
void ValueReadout::mouseExit (const juce::MouseEvent& e)
{
    if (followedSlider (e) == shown)
        hide();
}

// The value text follows every change while the readout is up: a drag, the wheel, automation.
void ValueReadout::sliderValueChanged (juce::Slider* slider)
{
    if (slider == shown)
        repaint();
}

void ValueReadout::show (juce::Slider& slider)
{
    shown = &slider;

    if (auto* parent = getParentComponent())
    {
        const auto target = slider.getBounds();
        const int x = juce::jlimit (0, juce::jmax (0, parent->getWidth() - width), target.getCentreX() - width / 2);
        const int above = target.getY() - height - 2;
        setBounds (x, above >= 0 ? above : target.getBottom() + 2, width, height);
    }

    setVisible (true);
    toFront (false);
    repaint();
}

void ValueReadout::hide()
{
    shown = nullptr;
    setVisible (false);
}
