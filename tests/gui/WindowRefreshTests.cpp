// The window follows every write to a slot, whichever thread makes it: a write only marks the
// slots changed, and the window's timer brings the controls up to date at its next tick.

#include "EditorFixture.h"

#include <thread>

namespace
{
using vimbrel::test::EditorFixture;
using vimbrel::test::letTimersOfPeriodFire;

using WindowRefresh = EditorFixture;

TEST_F (WindowRefresh, AWriteFromAnyThreadShowsWithinOneTimerPeriod)
{
    auto& editor = openEditor();

    // Host automation writes on the audio thread; a host's generic editor on the message thread.
    const auto write = [this] (bool fromAnotherThread, int slot, float value)
    {
        if (fromAnotherThread)
            std::thread ([=] { processor->setParameter (slot, value); }).join();
        else
            processor->setParameter (slot, value);
    };

    // Until a timer of the window's period, started after the write, has fired.
    const auto letTheWindowTick = []
    { return letTimersOfPeriodFire (NewProjectAudioProcessorEditor::refreshMilliseconds); };

    // A character button (which, being a button, reports its new state to the host).
    ASSERT_FALSE (editor.btn1Button.getToggleState());
    write (true, Slot::stereoFeedback1, 1.0f);
    ASSERT_TRUE (letTheWindowTick());
    EXPECT_TRUE (editor.btn1Button.getToggleState());

    struct Case
    {
        bool fromAnotherThread;
        Slot::Index slot;
        float value;
        juce::Slider& control;
    };

    const Case cases[] = {
        { true, Slot::input, 0.25f, editor.inputSlider },
        { true, Slot::length, 0.8f, editor.lengthSlider },
        { true, Slot::tone, 0.1f, editor.toneSlider },
        { true, Slot::volume, 0.6f, editor.volumeSlider },
        { true, Slot::selection, 0.66f, editor.selectionSlider },
        { true, Slot::delaySelection, 0.5f, editor.delaySelectionSlider },
        { true, Slot::manualBpm, 0.7f, editor.bpmSlider },
        { false, Slot::tone, 0.9f, editor.toneSlider },
    };

    // Only a character button whose state changes writes its slot back.
    const auto expectNoSliderWroteBack = [this] (const juce::String& what)
    {
        for (const auto& event : host.events)
            EXPECT_TRUE (event.slot == Slot::stereoFeedback1 || event.slot == Slot::doubleTime ||
                         event.slot == Slot::stereoFeedback2)
                << what << ": the refresh wrote slot " << event.slot << " back";
    };

    for (const auto& c : cases)
    {
        const auto what = c.control.getName() + (c.fromAnotherThread ? ", another thread" : ", message thread");
        write (c.fromAnotherThread, c.slot, c.value);
        host.events.clear();
        ASSERT_TRUE (letTheWindowTick()) << what;

        // Sliders snap to their interval.
        EXPECT_NEAR (c.control.getValue(), c.value, c.control.getInterval() / 2.0 + 1.0e-9) << what;
        expectNoSliderWroteBack (what);
    }

    // A program chosen on the message thread (its length is 0.6).
    processor->setCurrentProgram (1);
    host.events.clear();
    ASSERT_TRUE (letTheWindowTick());
    EXPECT_NEAR (editor.lengthSlider.getValue(), 0.6, editor.lengthSlider.getInterval() / 2.0 + 1.0e-9);
    expectNoSliderWroteBack ("program 1");
}
} // namespace
