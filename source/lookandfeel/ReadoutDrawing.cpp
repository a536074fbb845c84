#include "EchoLookAndFeel.h"
#include "PanelColours.h"

using namespace panelcolours;

// A dark well with a thin rim, the slot's name in the soft ink above its value in the full ink.
// Drawn as shapes and text, not pictures, so it is as sharp as the screen at any scale.
void EchoLookAndFeel::drawValueReadout (juce::Graphics& g, juce::Rectangle<float> area, const juce::String& name,
                                        const juce::String& value)
{
    g.setColour (wellFill.withAlpha (0.92f));
    g.fillRoundedRectangle (area, 4.0f);
    g.setColour (rim);
    g.drawRoundedRectangle (area.reduced (0.5f), 4.0f, 1.0f);

    auto text = area.reduced (6.0f, 3.0f);
    g.setFont (juce::Font (11.0f, juce::Font::plain));
    g.setColour (inkSoft);
    g.drawFittedText (name, text.removeFromTop (text.getHeight() * 0.45f).toNearestInt(), juce::Justification::centred,
                      1, 0.8f);
    g.setFont (juce::Font (14.0f, juce::Font::bold));
    g.setColour (ink);
    g.drawFittedText (value, text.toNearestInt(), juce::Justification::centred, 1, 0.8f);
}
