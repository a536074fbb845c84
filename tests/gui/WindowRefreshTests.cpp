// The window follows every write to a slot, whichever thread makes it: a write only marks the
// slots changed, and the window's timer brings the controls up to date at its next tick.

#include "EditorFixture.h"

#include <functional>
#include <thread>

namespace
{
using vimbrel::test::EditorFixture;
using vimbrel::test::letTimersOfPeriodFire;

using WindowRefresh = EditorFixture;

TEST_F (WindowRefresh, AWriteFromAnyThreadShowsWithinOneTimerPeriod)
{
    auto& editor = openEditor();
    constexpr int period = NewProjectAudioProcessorEditor::refreshMilliseconds;

    // As host automation writes on the audio thread.
    const auto fromAnotherThread = [this] (int slot, float value)
    { return [this, slot, value] { std::thread ([=] { processor->setParameter (slot, value); }).join(); }; };
    // As a host's generic editor writes on the message thread.
    const auto fromThisThread = [this] (int slot, float value)
    { return [this, slot, value] { processor->setParameter (slot, value); }; };

    // A character button (which, being a button, reports its new state to the host).
    ASSERT_FALSE (editor.btn1Button.getToggleState());
    fromAnotherThread (Slot::stereoFeedback1, 1.0f)();
    ASSERT_TRUE (letTimersOfPeriodFire (period));
    EXPECT_TRUE (editor.btn1Button.getToggleState());

    struct Case
    {
        const char* what;
        std::function<void()> write;
        juce::Slider& control;
        double shown;
    };

    const Case cases[] = {
        { "input, audio thread", fromAnotherThread (Slot::input, 0.25f), editor.inputSlider, 0.25 },
        { "length, audio thread", fromAnotherThread (Slot::length, 0.8f), editor.lengthSlider, 0.8 },
        { "tone, audio thread", fromAnotherThread (Slot::tone, 0.1f), editor.toneSlider, 0.1 },
        { "volume, audio thread", fromAnotherThread (Slot::volume, 0.6f), editor.volumeSlider, 0.6 },
        { "selection, audio thread", fromAnotherThread (Slot::selection, 0.66f), editor.selectionSlider, 0.66 },
        { "delay selection, audio thread", fromAnotherThread (Slot::delaySelection, 0.5f), editor.delaySelectionSlider,
          0.5 },
        { "manual tempo, audio thread", fromAnotherThread (Slot::manualBpm, 0.7f), editor.bpmSlider, 0.7 },
        { "tone, message thread", fromThisThread (Slot::tone, 0.9f), editor.toneSlider, 0.9 },
        { "program 1, message thread", [this] { processor->setCurrentProgram (1); }, editor.lengthSlider, 0.6 },
    };

    for (const auto& c : cases)
    {
        c.write();
        host.events.clear();
        ASSERT_TRUE (letTimersOfPeriodFire (period)) << c.what;

        // Sliders snap to their interval.
        EXPECT_NEAR (c.control.getValue(), c.shown, c.control.getInterval() / 2.0 + 1.0e-9) << c.what;
        // Only a character button whose state changes writes its slot back.
        for (const auto& event : host.events)
            EXPECT_TRUE (event.slot == Slot::stereoFeedback1 || event.slot == Slot::doubleTime ||
                         event.slot == Slot::stereoFeedback2)
                << c.what << ": the refresh wrote slot " << event.slot << " back";
    }
}
} // namespace
