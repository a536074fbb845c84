#include "lookandfeel/EchoLookAndFeel.h"
#include "lookandfeel/PanelPictures.h"

#include "PictureTesting.h"

namespace
{
using vimbrel::test::hasInk;
using vimbrel::test::samePixels;
using vimbrel::test::snapshot;

// A toggled-on "BypassButton" is dimmed by half-transparent black over its whole area.
TEST (ButtonDrawing, BypassButtonIsDimmedWhileOn)
{
    EchoLookAndFeel lookAndFeel;
    juce::TextButton button ("BypassButton");
    button.setLookAndFeel (&lookAndFeel);
    button.setSize (40, 20);
    button.setToggleState (true, juce::dontSendNotification);

    juce::Image expected (juce::Image::ARGB, 40, 20, true);
    expected.clear (expected.getBounds(), juce::Colours::black.withAlpha (0.5f));

    EXPECT_TRUE (samePixels (snapshot (button), expected));
    button.setLookAndFeel (nullptr);
}

// The "OK" button is an azure glass lozenge whose outline thickens while it is highlighted or
// pressed and thins when disabled; connected edges run almost to the border and are flat.
TEST (ButtonDrawing, OkButtonIsAGlassLozenge)
{
    struct LozengeCase
    {
        const char* description;
        bool enabled, highlighted, down, toggledOn;
        int connectedEdges;
        float outline, left, top, right, bottom; // the lozenge's outline and its indents
    };

    const LozengeCase cases[] = {
        { "plain", true, false, false, false, 0, 0.7f, 0.35f, 0.35f, 0.35f, 0.35f },
        { "toggled on", true, false, false, true, 0, 0.7f, 0.35f, 0.35f, 0.35f, 0.35f },
        { "highlighted", true, true, false, false, 0, 1.2f, 0.6f, 0.6f, 0.6f, 0.6f },
        { "down", true, false, true, false, 0, 1.2f, 0.6f, 0.6f, 0.6f, 0.6f },
        { "disabled and highlighted", false, true, false, false, 0, 0.4f, 0.2f, 0.2f, 0.2f, 0.2f },
        { "connected left and bottom", true, false, false, false,
          juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnBottom, 0.7f, 0.1f, 0.35f, 0.35f, 0.1f },
        { "connected right and top", true, false, false, false,
          juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop, 0.7f, 0.35f, 0.1f, 0.1f, 0.35f },
    };

    EchoLookAndFeel lookAndFeel;
    juce::TextButton button ("OK");
    button.setSize (80, 24);

    for (const auto& c : cases)
    {
        button.setEnabled (c.enabled);
        button.setToggleState (c.toggledOn, juce::dontSendNotification);
        button.setConnectedEdges (c.connectedEdges);

        juce::Image actual (juce::Image::ARGB, 80, 24, true);
        {
            juce::Graphics g (actual);
            lookAndFeel.drawButtonBackground (g, button, juce::Colours::red, c.highlighted, c.down);
        }

        juce::Image expected (juce::Image::ARGB, 80, 24, true);
        {
            juce::Graphics g (expected);
            const int edges = c.connectedEdges;
            juce::LookAndFeel_V2::drawGlassLozenge (
                g, c.left, c.top, 80.0f - c.left - c.right, 24.0f - c.top - c.bottom, juce::Colours::azure, c.outline,
                -1.0f, edges & juce::Button::ConnectedOnLeft, edges & juce::Button::ConnectedOnRight,
                edges & juce::Button::ConnectedOnTop, edges & juce::Button::ConnectedOnBottom);
        }

        EXPECT_TRUE (hasInk (actual)) << c.description;
        EXPECT_TRUE (samePixels (actual, expected)) << c.description;
    }
}

// Only the caption "OK" is drawn: centred, in the framework's default font at height 12, in the
// button's text colour for its state, at half strength when disabled. The button here has a
// name without a background, so the caption is all there is.
TEST (ButtonDrawing, OnlyAnOkCaptionIsShown)
{
    struct CaptionCase
    {
        const char* caption;
        int width, height, connectedEdges;
        bool toggledOn, enabled;
        juce::Rectangle<int> textArea; // empty: nothing is drawn
        juce::Colour colour;
    };

    const auto off = juce::Colours::red, on = juce::Colours::blue;
    const CaptionCase cases[] = {
        { "OK", 60, 24, 0, false, true, { 7, 4, 46, 16 }, off },
        { "OK", 60, 24, 0, true, true, { 7, 4, 46, 16 }, on },
        { "OK", 60, 24, 0, false, false, { 7, 4, 46, 16 }, off.withMultipliedAlpha (0.5f) },
        { "OK", 60, 24, juce::Button::ConnectedOnLeft, false, true, { 5, 4, 48, 16 }, off },
        { "OK", 60, 24, juce::Button::ConnectedOnRight, false, true, { 7, 4, 48, 16 }, off },
        { "OK", 40, 10, 0, false, true, { 4, 3, 32, 4 }, off },
        { "Ok", 60, 24, 0, false, true, {}, off },
        { "Cancel", 60, 24, 0, false, true, {}, off },
        { "btn1Button", 60, 42, 0, true, true, {}, off },
    };

    EchoLookAndFeel lookAndFeel;
    juce::TextButton button ("Caption");
    button.setLookAndFeel (&lookAndFeel);
    button.setColour (juce::TextButton::textColourOffId, off);
    button.setColour (juce::TextButton::textColourOnId, on);

    for (const auto& c : cases)
    {
        button.setButtonText (c.caption);
        button.setSize (c.width, c.height);
        button.setConnectedEdges (c.connectedEdges);
        button.setToggleState (c.toggledOn, juce::dontSendNotification);
        button.setEnabled (c.enabled);

        juce::Image expected (juce::Image::ARGB, c.width, c.height, true);

        if (! c.textArea.isEmpty())
        {
            juce::Graphics g (expected);
            g.setFont (juce::Font (12.0f));
            g.setColour (c.colour);
            g.drawFittedText (c.caption, c.textArea, juce::Justification::centred, 2, 0.0f);
            EXPECT_TRUE (hasInk (expected)) << "the default font draws nothing";
        }

        EXPECT_TRUE (samePixels (snapshot (button), expected))
            << c.caption << " on " << c.width << " x " << c.height << ", edges " << c.connectedEdges
            << (c.toggledOn ? ", on" : "") << (c.enabled ? "" : ", disabled");
    }

    button.setLookAndFeel (nullptr);
}
} // namespace
