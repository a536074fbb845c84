#include "EditorFixture.h"
#include "PictureTesting.h"

#include <cstdlib>

namespace
{
using vimbrel::test::EditorFixture;
using vimbrel::test::pictureSetCount;
using vimbrel::test::samePixels;
using vimbrel::test::scaleOf;
using vimbrel::test::snapshot;

// The window on the display, and the mouse driven as a user's would be: moved, pressed, dragged,
// released and wheeled at points of the panel. Each event reaches the window as it would from the
// X server, but at once (see ButtonDrawingTests.cpp).
class ValueReadoutTest : public EditorFixture
{
protected:
    ValueReadoutTest()
    {
        openEditor();
        openedEditor->addToDesktop (0);
        openedEditor->setVisible (true);
    }

    ~ValueReadoutTest() override { openedEditor->removeFromDesktop(); }

    NewProjectAudioProcessorEditor& editor() { return *openedEditor; }
    ValueReadout& readout() { return editor().valueReadout; }

    void pointerAt (juce::Point<int> panelPoint, juce::ModifierKeys buttons = {})
    {
        const auto screen = editor().contentComponent.localPointToGlobal (panelPoint).toFloat();
        juce::Desktop::getInstance().getMainMouseSource().setScreenPosition (screen);
        auto* peer = editor().getPeer();
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, peer->globalToLocal (screen), buttons,
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                juce::Time::currentTimeMillis());
    }

    void wheelAt (juce::Point<int> panelPoint, float deltaY)
    {
        pointerAt (panelPoint);
        auto* peer = editor().getPeer();
        juce::MouseWheelDetails wheel {};
        wheel.deltaY = deltaY;
        const auto screen = editor().contentComponent.localPointToGlobal (panelPoint).toFloat();
        peer->handleMouseWheel (juce::MouseInputSource::InputSourceType::mouse, peer->globalToLocal (screen),
                                juce::Time::currentTimeMillis(), wheel);
    }

    // What the readout should say for a control's slot: the processor's own name and text.
    ValueReadout::Text expectedFor (const panel::Control& control)
    {
        return { processor->getParameterName (control.slot), processor->getParameterText (control.slot) };
    }

    static constexpr juce::Point<int> away { 20, 290 };
};

// The readout laid over the panel's dark lacquer: an opaque picture, which a PNG file keeps exactly
// (a translucent one comes back from the file with its colours rounded).
juce::Image overPanel (const juce::Image& readout)
{
    juce::Image opaque (juce::Image::RGB, readout.getWidth(), readout.getHeight(), false);
    juce::Graphics g (opaque);
    g.fillAll (juce::Colour (0xff2a2c2b));
    g.drawImageAt (readout, 0, 0);
    return opaque;
}

::testing::AssertionResult shows (const ValueReadout& readout, const panel::Control& control,
                                  const ValueReadout::Text& expected)
{
    if (! readout.isVisible() || readout.shownSlider() == nullptr)
        return ::testing::AssertionFailure() << "the readout is hidden";

    if (readout.shownSlider()->getName() != control.name)
        return ::testing::AssertionFailure() << "the readout shows " << readout.shownSlider()->getName();

    const auto text = readout.shownText();

    if (text.name != expected.name || text.value != expected.value)
        return ::testing::AssertionFailure()
               << "the readout says \"" << text.name << "\" \"" << text.value << "\" instead of \"" << expected.name
               << "\" \"" << expected.value << "\"";

    return ::testing::AssertionSuccess();
}

// Hovering each knob and the fader shows its slot's name and value text just above it, inside
// the panel; leaving it hides the readout. Keys and the level lamp show none.
TEST_F (ValueReadoutTest, HoverShowsTheSlotsNameAndValueAboveTheControl)
{
    for (const auto* control : panel::controls)
    {
        SCOPED_TRACE (control->name);
        pointerAt (control->bounds.getCentre());

        if (control->kind != panel::Kind::knob && control->kind != panel::Kind::fader)
        {
            EXPECT_FALSE (readout().isVisible());
            continue;
        }

        EXPECT_TRUE (shows (readout(), *control, expectedFor (*control)));
        EXPECT_EQ (control->bounds.getY() - 2, readout().getBottom());
        EXPECT_TRUE (juce::Rectangle<int> (panel::width, panel::height).contains (readout().getBounds()));

        pointerAt (away);
        EXPECT_FALSE (readout().isVisible());
    }
}

// A drag keeps the readout up, off the knob too, and its value follows the knob; releasing the
// mouse away from the knob hides it.
TEST_F (ValueReadoutTest, ADragShowsTheValueAsItChanges)
{
    const auto centre = panel::lengthSlider.bounds.getCentre();
    const auto before = processor->getParameterText (Slot::length);
    const auto down = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);

    pointerAt (centre);
    pointerAt (centre, down);

    for (int step = 1; step <= 8; ++step)
        pointerAt (centre.translated (0, -step * 10), down);

    ASSERT_NE (before, processor->getParameterText (Slot::length)) << "the drag did not move the knob";
    EXPECT_TRUE (shows (readout(), panel::lengthSlider, expectedFor (panel::lengthSlider)));

    pointerAt (centre.translated (0, -80));
    EXPECT_FALSE (readout().isVisible());
}

// The mouse wheel turns a knob and the readout shows its new value.
TEST_F (ValueReadoutTest, TheWheelShowsTheNewValue)
{
    const auto before = processor->getParameterText (Slot::tone);
    wheelAt (panel::toneSlider.bounds.getCentre(), 0.5f);

    ASSERT_NE (before, processor->getParameterText (Slot::tone)) << "the wheel did not turn the knob";
    EXPECT_TRUE (shows (readout(), panel::toneSlider, expectedFor (panel::toneSlider)));
}

// The readout over the input knob at 100 % and at 200 %, pixel for pixel against the reference
// pictures in tests/gui/reference (VIMBREL_GOLDEN=1 rewrites them from the readout as it is).
// At 200 % it is drawn anew at twice the size, not enlarged.
TEST_F (ValueReadoutTest, LooksAsTheReferencePictureAtOneAndTwoTimes)
{
    pointerAt (panel::inputSlider.bounds.getCentre());
    ASSERT_TRUE (shows (readout(), panel::inputSlider, expectedFor (panel::inputSlider)));
    const bool regenerate = std::getenv ("VIMBREL_GOLDEN") != nullptr;

    for (size_t set = 0; set < pictureSetCount; ++set)
    {
        const int scale = scaleOf (set);
        const auto file =
            juce::File (VIMBREL_GUI_REFERENCE_DIR).getChildFile ("readout-input@" + juce::String (scale) + "x.png");
        const auto drawn = overPanel (snapshot (readout(), scale));

        if (regenerate)
        {
            file.deleteFile();
            juce::FileOutputStream out (file);
            ASSERT_TRUE (out.openedOk() && juce::PNGImageFormat().writeImageToStream (drawn, out));
            ADD_FAILURE() << "rewrote " << file.getFullPathName() << "; run again without VIMBREL_GOLDEN to compare";
            continue;
        }

        const auto reference = juce::ImageFileFormat::loadFrom (file);
        ASSERT_TRUE (reference.isValid()) << "no reference picture " << file.getFullPathName();
        EXPECT_TRUE (samePixels (drawn, reference.convertedToFormat (juce::Image::RGB))) << scale << "x";
    }
}
} // namespace
