// Everything a host does to the plug-in at once, for a few seconds: the audio thread plays
// blocks of varying size at a changing tempo, an automation thread writes slots, another
// thread changes programs, and the message thread runs the open window (its timer, which moves
// the level lamp and the controls, its painting) and saves and restores the state as a host
// does for an undo step, or opens and closes the window again and again. Built with
// ThreadSanitizer, any unsynchronised access among them is a report that fails the program; in
// every build the threads must all make progress, the sound stay finite and the window end up
// showing the processor's values.

#include "EditorFixture.h"
#include "FixedTempoPlayHead.h"
#include "HostPreparation.h"
#include "RepeatingThread.h"
#include "TestSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <iostream>
#include <thread>

namespace
{
using namespace vimbrel::test;

constexpr int runMilliseconds = 4000;
constexpr int largestBlock = 512;

// Counts the window's paints: it lies over the whole panel and draws nothing, so every
// repaint of any part of the window paints it too.
struct PaintCounter : juce::Component
{
    PaintCounter()
    {
        setInterceptsMouseClicks (false, false);
        setOpaque (false);
    }

    void paint (juce::Graphics&) override { ++paints; }

    int paints = 0;
};

// The host's threads besides the audio thread: one writes random slots as fast as it can, one
// changes programs every 2 ms.
struct AutomationAndPrograms
{
    AutomationAndPrograms (NewProjectAudioProcessor& processor, juce::int64 seed)
        : automationRandom (seed),
          programRandom (seed + 1),
          automation (
              [this, &processor]
              {
                  JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
                  processor.setParameter (automationRandom.nextInt (NewProjectAudioProcessor::numParameterSlots),
                                          automationRandom.nextFloat());
                  JUCE_END_IGNORE_WARNINGS_GCC_LIKE
                  std::this_thread::yield();
              }),
          programs ([this, &processor]
                    { processor.setCurrentProgram (programRandom.nextInt (NewProjectAudioProcessor::numPrograms)); },
                    std::chrono::milliseconds (2))
    {
    }

    void stop()
    {
        automation.stop();
        programs.stop();
    }

    juce::Random automationRandom, programRandom;
    RepeatingThread automation, programs;
};

bool isFinite (const juce::AudioBuffer<float>& buffer)
{
    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (! std::isfinite (buffer.getSample (channel, i)))
                return false;

    return true;
}
} // namespace

TEST (Concurrency, AudioAutomationProgramsAndTheOpenWindowRunTogether)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    vimbrel::hostsim::prepareLikeHost (*processor, 48000.0, 2, {}, largestBlock);

    vimbrel::hostsim::FixedTempoPlayHead playHead;
    processor->setPlayHead (&playHead);

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditor());
    PaintCounter paintCounter;
    editor->addAndMakeVisible (paintCounter);
    paintCounter.setBounds (editor->getLocalBounds());
    editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
    editor->setVisible (true);

    std::atomic<bool> soundStayedFinite { true };
    juce::AudioBuffer<float> audio (2, largestBlock);
    juce::Random audioRandom (1);
    juce::MidiBuffer midi;

    {
        RepeatingThread audioThread (
            [&]
            {
                // The host's tempo moves as a tempo track would; the plug-in reads it per block.
                playHead.bpm = 60.0 + audioRandom.nextInt (180);

                juce::AudioBuffer<float> block (audio.getArrayOfWritePointers(), 2,
                                                1 + audioRandom.nextInt (largestBlock));
                fillWithNoise (block, audioRandom);

                processor->processBlock (block, midi);

                if (! isFinite (block))
                    soundStayedFinite = false;
            });

        AutomationAndPrograms others (*processor, 2);

        // The message thread: the window's timer and paints run inside the loop; between turns
        // the host saves the state and restores it.
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) runMilliseconds;
        int undoSteps = 0;
        while (juce::Time::getMillisecondCounter() < end)
        {
            runMessageLoopUntil ([] { return false; }, 50);

            juce::MemoryBlock state;
            processor->getStateInformation (state);
            processor->setStateInformation (state.getData(), (int) state.getSize());
            editor->repaint();
            ++undoSteps;
        }

        audioThread.stop();
        others.stop();

        std::cout << "In " << runMilliseconds << " ms: " << audioThread.steps() << " blocks, "
                  << others.automation.steps() << " slot writes, " << others.programs.steps() << " program changes, "
                  << undoSteps << " states saved and restored\n";

        EXPECT_GT (audioThread.steps(), 10) << "blocks played";
        EXPECT_GT (others.automation.steps(), 10) << "slot writes";
        EXPECT_GT (others.programs.steps(), 10) << "program changes";
        EXPECT_GT (undoSteps, 10) << "states saved and restored";
    }

    EXPECT_TRUE (soundStayedFinite);

    // Once the threads are quiet, the window's next tick brings every knob to its slot.
    ASSERT_TRUE (deliverPostedMessages());
    ASSERT_TRUE (letTimersOfPeriodFire (NewProjectAudioProcessorEditor::refreshMilliseconds));
    EXPECT_GT (paintCounter.paints, 10);

    // Sliders snap to their interval, so a knob shows its slot to within half a step.
    auto& window = dynamic_cast<NewProjectAudioProcessorEditor&> (*editor);
    int knobsCompared = 0;
    for (const auto* control : panel::controls)
        if (control->kind == panel::Kind::knob && control->slot != panel::noSlot)
            for (auto* child : window.contentComponent.getChildren())
                if (auto* knob = dynamic_cast<juce::Slider*> (child);
                    knob != nullptr && knob->getName() == control->name)
                {
                    EXPECT_NEAR (knob->getValue(), processor->getParameter (control->slot),
                                 control->range.interval / 2.0 + 1.0e-6)
                        << control->name;
                    ++knobsCompared;
                }
    EXPECT_GT (knobsCompared, 0) << "no knob found by its name";

    editor.reset();
    processor->setPlayHead (nullptr);
}

// A user opens and closes the window again and again while the host plays, automates and changes
// programs: the window's set-up, its refreshes and its tear-down meet the writes of the other
// threads, which reach nothing of the window.
TEST (Concurrency, TheWindowOpensAndClosesWhileAutomationAndProgramsRun)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    vimbrel::hostsim::prepareLikeHost (*processor, 48000.0, 2, {}, largestBlock);

    juce::AudioBuffer<float> audio (2, largestBlock);
    juce::Random audioRandom (4);
    juce::MidiBuffer midi;
    RepeatingThread audioThread (
        [&]
        {
            fillWithNoise (audio, audioRandom);
            processor->processBlock (audio, midi);
        });

    AutomationAndPrograms others (*processor, 5);

    // Each time the window stays open for a little more than one refresh of its controls.
    constexpr int openings = 10;
    for (int opening = 0; opening < openings; ++opening)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditor());
        editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        editor->setVisible (true);
        ASSERT_TRUE (letTimersOfPeriodFire (NewProjectAudioProcessorEditor::refreshMilliseconds));
    }

    audioThread.stop();
    others.stop();

    std::cout << "While the window opened " << openings << " times: " << audioThread.steps() << " blocks, "
              << others.automation.steps() << " slot writes, " << others.programs.steps() << " program changes\n";

    EXPECT_GT (audioThread.steps(), 10) << "blocks played";
    EXPECT_GT (others.automation.steps(), 10) << "slot writes";
    EXPECT_GT (others.programs.steps(), 10) << "program changes";
}
