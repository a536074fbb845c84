#include "lookandfeel/EchoLookAndFeel.h"
#include "lookandfeel/PanelPictures.h"

#include "PictureTesting.h"

#include <vector>

namespace
{
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
} // namespace
