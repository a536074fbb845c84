#include "lookandfeel/EchoLookAndFeel.h"
#include "lookandfeel/PanelPictures.h"

#include "PictureTesting.h"

#include <vector>

namespace
{
using vimbrel::test::hasInk;
using vimbrel::test::layered;
using vimbrel::test::pictureSetCount;
using vimbrel::test::samePixels;
using vimbrel::test::scaleOf;
using vimbrel::test::snapshot;

// A window on the display holding one text button, and the real mouse pointer moved over the
// button or away from it, so that the button's own hover check sees what a user's mouse does.
struct ButtonOnScreen
{
    ButtonOnScreen()
    {
        button.setLookAndFeel (&lookAndFeel);
        window.addAndMakeVisible (button);
        window.setBounds (20, 20, 100, 80);
        window.addToDesktop (0);
        window.setVisible (true);
    }

    ~ButtonOnScreen()
    {
        window.removeFromDesktop();
        button.setLookAndFeel (nullptr);
    }

    ::testing::AssertionResult pointerOver (bool over)
    {
        const auto target = (over ? button.getScreenBounds().getCentre() : juce::Point<int> (400, 300)).toFloat();
        juce::Desktop::getInstance().getMainMouseSource().setScreenPosition (target);

        // The window hears of the move as it would from the X server, but at once: waiting for
        // the server's own pointer events in the message loop proved unreliable (at times none
        // came within seconds). The hover check itself asks the server where the pointer is.
        auto* peer = window.getPeer();
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, peer->globalToLocal (target), {},
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                juce::Time::currentTimeMillis());

        if (button.isMouseOver() == over)
            return ::testing::AssertionSuccess();

        return ::testing::AssertionFailure() << "the pointer did not " << (over ? "reach" : "leave") << " the button";
    }

    EchoLookAndFeel lookAndFeel;
    juce::Component window;
    juce::TextButton button;
};

struct Case
{
    const char* name;
    int width, height;
    bool toggledOn, mouseOver;
    std::vector<vimbrel::test::NamedPicture> expected; // drawn one over the other; none: nothing at all
    bool enabled = true;
};

// Effect buttons light up when on; the tempo and beat-fraction keys show their dark, lit face
// (the picture named on) while off. Hover pictures are laid over the first picture, except on a
// selected tempo key. Names outside the panel's buttons draw nothing, captions never show. A
// screen scaled to 200 % shows the same pictures of the 2x set.
TEST (ButtonDrawing, EachButtonShowsThePicturesOfItsState)
{
    // One case per line, however long.
    // clang-format off
    const Case cases[] = {
        { "btn1Button", 60, 42, false, false, { PICTURE (btn1, btn1off) } },
        { "btn1Button", 60, 42, false, true, { PICTURE (btn1, btn1off), PICTURE (btn1, btn1offover) } },
        { "btn1Button", 60, 42, true, false, { PICTURE (btn1, btn1on) } },
        { "btn1Button", 60, 42, true, true, { PICTURE (btn1, btn1on), PICTURE (btn1, btn1onover) } },
        { "btn2Button", 56, 42, true, true, { PICTURE (btn2, btn2on), PICTURE (btn2, btn2onover) } },
        { "btn2Button", 56, 42, false, false, { PICTURE (btn2, btn2off) } },
        { "btn3Button", 60, 42, false, true, { PICTURE (btn3, btn3off), PICTURE (btn3, btn3offover) } },
        { "btn3Button", 60, 42, true, false, { PICTURE (btn3, btn3on) } },

        { "btnhostButton", 42, 22, true, false, { PICTURE (host, btn_tempo_host_off) } },
        { "btnhostButton", 42, 22, true, true, { PICTURE (host, btn_tempo_host_off) } },
        { "btnhostButton", 42, 22, false, false, { PICTURE (host, btn_tempo_host_on) } },
        { "btnhostButton", 42, 22, false, true, { PICTURE (host, btn_tempo_host_on), PICTURE (host, btn_tempo_host_over) } },
        // The 50-pixel CLASSIC and MANUAL pictures are squeezed into the 42-pixel keys.
        { "btnclassicButton", 42, 22, true, true, { PICTURE (classic, btn_tempo_classic_off) } },
        { "btnclassicButton", 42, 22, false, true, { PICTURE (classic, btn_tempo_classic_on), PICTURE (classic, btn_tempo_classic_over) } },
        { "btnmanualButton", 42, 22, true, true, { PICTURE (manual, btn_tempo_manual_off) } },
        { "btnmanualButton", 42, 22, false, false, { PICTURE (manual, btn_tempo_manual_on) } },
        { "btnmanualButton", 42, 22, false, true, { PICTURE (manual, btn_tempo_manual_on), PICTURE (manual, btn_tempo_manual_over) } },

        { "btn58Button", 31, 20, true, false, { PICTURE (btn58, btn_bpm_58_off) } },
        { "btn58Button", 31, 20, false, true, { PICTURE (btn58, btn_bpm_58_on), PICTURE (btn58, btn_bpm_58_over) } },
        { "btn68Button", 31, 20, true, true, { PICTURE (btn68, btn_bpm_68_off), PICTURE (btn68, btn_bpm_68_over) } },
        { "btn78Button", 31, 20, false, false, { PICTURE (btn78, btn_bpm_78_on) } },
        { "btn88Button", 31, 20, true, true, { PICTURE (btn88, btn_bpm_88_off), PICTURE (btn88, btn_bpm_88_over) } },
        // Disabling a key changes nothing; its disabled picture is never shown.
        { "btn88Button", 31, 20, true, true, { PICTURE (btn88, btn_bpm_88_off), PICTURE (btn88, btn_bpm_88_over) }, false },
        { "btn88Button", 31, 20, false, false, { PICTURE (btn88, btn_bpm_88_on) }, false },

        { "FHAButton", 100, 45, true, true, {} },
        { "FHAButton", 100, 45, false, false, {} },
        { "btnhost", 42, 22, false, true, {} },
        { "BypassButton", 40, 20, false, true, {} },
    };
    // clang-format on

    ButtonOnScreen screen;
    auto& button = screen.button;

    for (const auto& c : cases)
    {
        button.setName (c.name);
        button.setButtonText (c.name);
        button.setSize (c.width, c.height);
        button.setToggleState (c.toggledOn, juce::dontSendNotification);
        button.setEnabled (c.enabled);
        ASSERT_TRUE (screen.pointerOver (c.mouseOver)) << c.name;

        for (size_t set = 0; set < pictureSetCount; ++set)
            EXPECT_TRUE (samePixels (snapshot (button, scaleOf (set)), layered (c.width, c.height, set, c.expected)))
                << c.name << (c.toggledOn ? " on" : " off") << (c.mouseOver ? ", mouse over" : "")
                << (c.enabled ? "" : ", disabled") << ", " << scaleOf (set) << "x";
    }
}

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
