#include "EditorFixture.h"

namespace
{
using vimbrel::test::EditorFixture;
using Event = vimbrel::test::HostRecorder::Event;

juce::MouseEvent mouseEvent (juce::Component& target, juce::Point<float> position, juce::Point<float> downPosition,
                             juce::ModifierKeys mods, int clicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position, mods, 1.0f, 0.0f, 0.0f, 0.0f,
                             0.0f, &target, &target, now, downPosition, now, clicks, position != downPosition);
}

// Presses the mouse in the middle of the control, moves it by the given steps, releases it.
void drag (juce::Component& control, std::initializer_list<float> upwardSteps, juce::ModifierKeys extra = {})
{
    const auto mods = extra.withFlags (juce::ModifierKeys::leftButtonModifier);
    const auto centre = control.getLocalBounds().getCentre().toFloat();
    control.mouseDown (mouseEvent (control, centre, centre, mods));

    auto position = centre;
    for (auto step : upwardSteps)
    {
        position.y -= step;
        control.mouseDrag (mouseEvent (control, position, centre, mods));
    }

    control.mouseUp (mouseEvent (control, position, centre, extra));
}

using ControlBinding = EditorFixture;

TEST_F (ControlBinding, KnobDragsWriteTheirSlotInsideAGesture)
{
    auto& editor = openEditor();

    struct Case
    {
        juce::Slider& slider;
        int slot;
    };

    const Case cases[] = {
        { editor.inputSlider, Slot::input },         { editor.lengthSlider, Slot::length },
        { editor.toneSlider, Slot::tone },           { editor.volumeSlider, Slot::volume },
        { editor.selectionSlider, Slot::selection }, { editor.delaySelectionSlider, Slot::delaySelection },
    };

    for (const auto& c : cases)
    {
        c.slider.setValue (0.0, juce::dontSendNotification);
        host.events.clear();

        drag (c.slider, { 30.0f, 60.0f });

        const auto value = (float) c.slider.getValue();
        ASSERT_GT (value, 0.0f) << c.slider.getName();
        ASSERT_GE (host.events.size(), 3u) << c.slider.getName();
        EXPECT_EQ (host.events.front(), (Event { 'b', c.slot, 0.0f })) << c.slider.getName();
        EXPECT_EQ (host.events.back(), (Event { 'e', c.slot, 0.0f })) << c.slider.getName();
        EXPECT_EQ (host.events[host.events.size() - 2], (Event { 'v', c.slot, value })) << c.slider.getName();

        for (size_t i = 1; i + 1 < host.events.size(); ++i)
            EXPECT_EQ (host.events[i].kind, 'v') << c.slider.getName();

        EXPECT_EQ (processor->getParameter (c.slot), value) << c.slider.getName();
    }
}

TEST_F (ControlBinding, TheFaderWritesTheManualTempo)
{
    auto& editor = openEditor();
    editor.bpmSlider.setValue (0.5, juce::sendNotificationSync);
    EXPECT_EQ (processor->getParameter (Slot::manualBpm), 0.5f);
    EXPECT_FLOAT_EQ (processor->fbpm, 100.0f);
    EXPECT_EQ (host.events, (std::vector<Event> { { 'v', Slot::manualBpm, 0.5f } }));
}

TEST_F (ControlBinding, ToneReturnsToFlatOnDoubleClickOrAltClick)
{
    auto& editor = openEditor();
    auto& tone = editor.toneSlider;
    const auto centre = tone.getLocalBounds().getCentre().toFloat();

    for (int way = 0; way < 2; ++way)
    {
        tone.setValue (0.9);
        host.events.clear();

        if (way == 0)
            tone.mouseDoubleClick (mouseEvent (tone, centre, centre, juce::ModifierKeys::leftButtonModifier, 2));
        else
            drag (tone, {}, juce::ModifierKeys::altModifier);

        // Flat is 0.5, as near as the knob's steps come to it.
        const auto flat = (float) (57 * 0.008771);
        const std::vector<Event> expected { { 'b', Slot::tone, 0.0f },
                                            { 'v', Slot::tone, flat },
                                            { 'e', Slot::tone, 0.0f } };
        EXPECT_EQ (host.events, expected) << (way == 0 ? "double-click" : "alt-click");
        EXPECT_EQ (processor->ftone, flat);
    }
}

TEST_F (ControlBinding, TheLevelLampIgnoresTheMouseAndFollowsTheEngine)
{
    auto& editor = openEditor();
    drag (editor.vuSlider, { 50.0f });
    EXPECT_TRUE (host.events.empty());
    EXPECT_EQ (editor.vuSlider.getValue(), 0.0);

    processor->levelStep = 0.48f;
    EXPECT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return editor.vuSlider.getValue() != 0.0; }, 1000));
    EXPECT_NEAR (editor.vuSlider.getValue(), 0.48, 1.0e-9);
    EXPECT_TRUE (host.events.empty());
}

TEST_F (ControlBinding, AutomationAndProgramsComeBackIntoTheControls)
{
    auto& editor = openEditor();

    processor->setParameter (Slot::input, 0.3f);
    processor->setParameter (Slot::input, 1.0f);
    processor->setParameter (Slot::manualBpm, 0.75f);
    processor->setParameter (Slot::oversampling, 0.5f);
    refresh();

    // The knob shows its last legal position and does not write it back.
    EXPECT_NEAR (editor.inputSlider.getValue(), 0.999894, 1.0e-12);
    EXPECT_EQ (processor->finput, 1.0f);
    EXPECT_NEAR (editor.bpmSlider.getValue(), 0.75, 1.0e-12);
    EXPECT_EQ (editor.oversamplingIndex, 2.0f);
    EXPECT_TRUE (host.events.empty());

    processor->hostBpm = 98.5f;
    processor->setCurrentProgram (2);
    host.events.clear();
    refresh();

    EXPECT_NEAR (editor.inputSlider.getValue(), 0.4, 0.005);
    EXPECT_NEAR (editor.toneSlider.getValue(), 0.8, 0.005);
    EXPECT_NEAR (editor.selectionSlider.getValue(), 0.99, 1.0e-12);
    EXPECT_NEAR (editor.delaySelectionSlider.getValue(), 0.332, 1.0e-12);
    EXPECT_EQ (editor.tempoValueLabel.getText(), "98.5");
    EXPECT_TRUE (host.events.empty());
}

TEST_F (ControlBinding, HostileValuesShowAsTheNearestEndOfEachControl)
{
    auto& editor = openEditor();
    const float nan = std::numeric_limits<float>::quiet_NaN();

    for (int slot : { Slot::input, Slot::length, Slot::tone, Slot::volume, Slot::selection, Slot::delaySelection,
                      Slot::manualBpm })
        processor->setParameter (slot, nan);
    processor->setParameter (Slot::volume, 1.0e30f);
    processor->levelStep = nan;
    refresh();
    EXPECT_TRUE (vimbrel::test::letTimersOfPeriodFire (NewProjectAudioProcessorEditor::refreshMilliseconds));

    for (auto* slider : { &editor.inputSlider, &editor.lengthSlider, &editor.toneSlider, &editor.selectionSlider,
                          &editor.delaySelectionSlider, &editor.vuSlider })
        EXPECT_EQ (slider->getValue(), 0.0) << slider->getName();

    EXPECT_EQ (editor.bpmSlider.getValue(), 0.2);
    EXPECT_NEAR (editor.volumeSlider.getValue(), 0.999894, 1.0e-12);

    // Painting every control with these values draws without fault.
    juce::Image picture (juce::Image::ARGB, 876, 300, true);
    juce::Graphics g (picture);
    editor.contentComponent.paintEntireComponent (g, false);
    EXPECT_TRUE (host.events.empty());
}

TEST_F (ControlBinding, RefreshFollowsTheFlagRulesOfEachButtonGroup)
{
    auto& editor = openEditor();

    // Character buttons count only exactly 1.0 as on; a change is written back to the host.
    processor->setParameter (Slot::doubleTime, 1.0f);
    processor->setParameter (Slot::stereoFeedback1, 0.5f);
    host.events.clear();
    refresh();

    EXPECT_TRUE (editor.btn2Button.getToggleState());
    EXPECT_FALSE (editor.btn1Button.getToggleState());
    EXPECT_EQ (host.events, (std::vector<Event> { { 'v', Slot::doubleTime, 1.0f } }));

    // The radio keys count any non-zero value as on; the later one wins within a group.
    processor->setParameter (Slot::beat58, 0.5f);
    processor->setParameter (Slot::manualSource, 1.0f);
    processor->setParameter (Slot::hostSource, 1.0f);
    host.events.clear();
    refresh();

    EXPECT_TRUE (editor.btn88Button.getToggleState());
    EXPECT_FALSE (editor.btn58Button.getToggleState());
    EXPECT_TRUE (editor.btnhostButton.getToggleState());
    EXPECT_FALSE (editor.btnmanualButton.getToggleState());
    EXPECT_TRUE (host.events.empty());

    processor->setParameter (Slot::beat88, 0.0f);
    refresh();
    EXPECT_TRUE (editor.btn58Button.getToggleState());
    EXPECT_FALSE (editor.btn88Button.getToggleState());
}

TEST_F (ControlBinding, ButtonsWriteTheirSlotsInTheRadioOrder)
{
    auto& editor = openEditor();

    editor.btn2Button.triggerClick();
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return ! host.events.empty(); }, 1000));
    EXPECT_EQ (host.events, (std::vector<Event> { { 'v', Slot::doubleTime, 1.0f } }));
    EXPECT_EQ (processor->fbtn2, 1.0f);

    host.events.clear();
    editor.btn2Button.triggerClick();
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return ! host.events.empty(); }, 1000));
    EXPECT_EQ (host.events, (std::vector<Event> { { 'v', Slot::doubleTime, 0.0f } }));

    // 5/8 on, then 7/8 clicked: 5/8 is written off first, then 7/8 on.
    processor->setParameter (Slot::beat58, 1.0f);
    processor->setParameter (Slot::beat88, 0.0f);
    refresh();
    host.events.clear();
    editor.btn78Button.triggerClick();
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return host.events.size() >= 2; }, 1000));
    EXPECT_EQ (host.events, (std::vector<Event> { { 'v', Slot::beat58, 0.0f }, { 'v', Slot::beat78, 1.0f } }));
    EXPECT_FALSE (editor.btn58Button.getToggleState());
    EXPECT_TRUE (editor.btn78Button.getToggleState());

    // Clicking the tempo key that is already on writes it once more.
    host.events.clear();
    editor.btnhostButton.triggerClick();
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return ! host.events.empty(); }, 1000));
    EXPECT_EQ (host.events, (std::vector<Event> { { 'v', Slot::hostSource, 1.0f } }));
    EXPECT_FALSE (editor.btnmanualButton.getToggleState());
    EXPECT_FALSE (editor.btnclassicButton.getToggleState());
}

// Every key of the panel, clicked, writes its own slot and no other: 1 as it comes on, 0 as a
// character button goes off again; a key of a radio group first writes 0 to the key it
// releases. The rows run in turn from a fresh processor (host tempo and 8/8 on), each radio key
// releasing the one clicked before it.
TEST_F (ControlBinding, EveryKeyWritesItsOwnSlot)
{
    auto& editor = openEditor();

    struct Case
    {
        juce::Button& key;
        int slot;
        int released; // the slot of the key the click turns off, or noSlot
    };

    const Case cases[] = {
        { editor.btn1Button, Slot::stereoFeedback1, panel::noSlot },
        { editor.btn2Button, Slot::doubleTime, panel::noSlot },
        { editor.btn3Button, Slot::stereoFeedback2, panel::noSlot },
        { editor.btn58Button, Slot::beat58, Slot::beat88 },
        { editor.btn68Button, Slot::beat68, Slot::beat58 },
        { editor.btn78Button, Slot::beat78, Slot::beat68 },
        { editor.btn88Button, Slot::beat88, Slot::beat78 },
        { editor.btnmanualButton, Slot::manualSource, Slot::hostSource },
        { editor.btnclassicButton, Slot::classicSource, Slot::manualSource },
        { editor.btnhostButton, Slot::hostSource, Slot::classicSource },
    };

    // Clicks the key and waits for what the host hears from it.
    const auto click = [&] (juce::Button& key, const std::vector<Event>& expected)
    {
        host.events.clear();
        key.triggerClick();
        EXPECT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return host.events.size() >= expected.size(); }, 1000));
        EXPECT_EQ (host.events, expected);
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.key.getName());
        std::vector<Event> expected;
        if (c.released != panel::noSlot)
            expected.push_back ({ 'v', c.released, 0.0f });
        expected.push_back ({ 'v', c.slot, 1.0f });

        click (c.key, expected);
        EXPECT_TRUE (c.key.getToggleState());
        EXPECT_EQ (processor->getParameter (c.slot), 1.0f);

        if (c.released == panel::noSlot)
        {
            click (c.key, { { 'v', c.slot, 0.0f } });
            EXPECT_EQ (processor->getParameter (c.slot), 0.0f);
        }
    }

    // No key of the panel that writes a slot is left out.
    for (const auto* control : panel::controls)
    {
        if (control->kind == panel::Kind::key && control->slot != panel::noSlot)
        {
            EXPECT_TRUE (std::any_of (std::begin (cases), std::end (cases),
                                      [&] (const Case& c) { return c.key.getName() == control->name; }))
                << control->name;
        }
    }
}
} // namespace
