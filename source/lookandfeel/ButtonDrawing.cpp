#include "EchoLookAndFeel.h"

#include "../model/PanelLayout.h"
#include "PanelPictures.h"

using namespace panelpictures;

// The pictures of one push-button: what it shows toggled on and off, and what is laid over that
// while the mouse is over it (none for a state that shows no hover).
struct EchoLookAndFeel::ButtonPictures
{
    const juce::Image* toggledOn;
    const juce::Image* toggledOff;
    const juce::Image* hoverWhenOn;
    const juce::Image* hoverWhenOff;
};

bool EchoLookAndFeel::findButtonPictures (const DecodedSet& set, const juce::String& name, ButtonPictures& pictures)
{
    // The effect buttons light up when on.
    const auto effectButton = [&] (const Pictures& images) {
        pictures = { &images[effectOn], &images[effectOff], &images[effectOnOver], &images[effectOffOver] };
    };

    // The tempo and beat-fraction keys are lit while they are off: a toggled-on key shows its
    // cream face (the picture named off) and a toggled-off key its dark face with the glowing
    // legend (the picture named on). A selected tempo key does not react to the mouse; a beat
    // key brightens in both states.
    const auto tempoKey = [&] (const Pictures& images) {
        pictures = { &images[keyOff], &images[keyOn], nullptr, &images[keyOver] };
    };
    const auto beatKey = [&] (const Pictures& images) {
        pictures = { &images[keyOff], &images[keyOn], &images[keyOver], &images[keyOver] };
    };

    if (name == panel::btn1Button.name)
        effectButton (set[catalogue::btn1]);
    else if (name == panel::btn2Button.name)
        effectButton (set[catalogue::btn2]);
    else if (name == panel::btn3Button.name)
        effectButton (set[catalogue::btn3]);
    else if (name == panel::btnmanualButton.name)
        tempoKey (set[catalogue::manual]);
    else if (name == panel::btnclassicButton.name)
        tempoKey (set[catalogue::classic]);
    else if (name == panel::btnhostButton.name)
        tempoKey (set[catalogue::host]);
    else if (name == panel::btn58Button.name)
        beatKey (set[catalogue::btn58]);
    else if (name == panel::btn68Button.name)
        beatKey (set[catalogue::btn68]);
    else if (name == panel::btn78Button.name)
        beatKey (set[catalogue::btn78]);
    else if (name == panel::btn88Button.name)
        beatKey (set[catalogue::btn88]);
    else
        return false;

    return true;
}

void EchoLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                            bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const auto name = button.getName();
    const int width = button.getWidth();
    const int height = button.getHeight();

    const auto drawWhole = [&] (const juce::Image& image)
    { g.drawImage (image, 0, 0, width, height, 0, 0, image.getWidth(), image.getHeight(), false); };

    if (ButtonPictures pictures; findButtonPictures (picturesFor (g), name, pictures))
    {
        const bool on = button.getToggleState();
        drawWhole (on ? *pictures.toggledOn : *pictures.toggledOff);

        if (const auto* hover = on ? pictures.hoverWhenOn : pictures.hoverWhenOff;
            hover != nullptr && button.isMouseOver (false))
            drawWhole (*hover);
    }
    else if (name == "BypassButton")
    {
        // No control of the panel has this name; any other button given it is dimmed while on.
        if (button.getToggleState())
        {
            g.setColour (juce::Colours::black.withAlpha (0.5f));
            g.fillRect (0, 0, width, height);
        }
    }
    else if (name == "OK")
    {
        const float outline = ! button.isEnabled()                                      ? 0.4f
                              : shouldDrawButtonAsHighlighted || shouldDrawButtonAsDown ? 1.2f
                                                                                        : 0.7f;
        const auto indent = [outline] (bool connected) { return connected ? 0.1f : outline / 2.0f; };
        const float left = indent (button.isConnectedOnLeft());
        const float right = indent (button.isConnectedOnRight());
        const float top = indent (button.isConnectedOnTop());
        const float bottom = indent (button.isConnectedOnBottom());

        drawGlassLozenge (g, left, top, (float) width - left - right, (float) height - top - bottom,
                          juce::Colours::azure, outline, -1.0f, button.isConnectedOnLeft(), button.isConnectedOnRight(),
                          button.isConnectedOnTop(), button.isConnectedOnBottom());
    }
}

// Every button of the panel carries its own name as caption; only an "OK" caption is shown.
void EchoLookAndFeel::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto font = getTextButtonFont (button, 20);
    g.setFont (font);
    g.setColour (
        button
            .findColour (button.getToggleState() ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId)
            .withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f));

    if (button.getButtonText() != "OK")
        return;

    const int yIndent = juce::jmin (4, button.proportionOfHeight (0.3f));
    const int cornerSize = juce::jmin (button.getHeight(), button.getWidth()) / 2;
    const int fontHeight = juce::roundToInt (font.getHeight() * 0.6f);
    const int leftIndent = juce::jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnLeft() ? 4 : 2));
    const int rightIndent = juce::jmin (fontHeight, 2 + cornerSize / (button.isConnectedOnRight() ? 4 : 2));

    g.drawFittedText (button.getButtonText(), leftIndent, yIndent, button.getWidth() - leftIndent - rightIndent,
                      button.getHeight() - yIndent * 2, juce::Justification::centred, 2, 0.0f);
}
