#include "EngineTestProcessor.h"
#include "TestSignals.h"
#include "model/SlotTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// Silence lets the engine skip the drum's work once everything it holds is zero. Two processors
// hear the same bursts and silences, one with the shortcut and one without, and must give the
// same output bits and the same level steps block by block; what happens in the silences
// (program, tempo, stage count and rate changes) must not tell them apart either.
namespace
{
using namespace vimbrel::test;

struct Step
{
    double seconds;
    bool noise;
    SlotValues changes = {}; // made before the step
    int program = -1;        // chosen before the step
    double bpm = 0.0;        // the host's tempo from the step on
    double newRate = 0.0;    // prepared again before the step
    bool idleAfter = false;  // the shortcut must be running at its end
};

struct IdleRun
{
    const char* name;
    double rate;
    int channels;
    bool doublePrecision;
    bool fmaInstructions;
    int blockSize;
    SlotValues settings;
    std::vector<Step> steps;
};

template <typename Sample>
void expectSameWithAndWithoutShortcut (const IdleRun& run)
{
    std::unique_ptr<NewProjectAudioProcessor> processors[2];
    FixedTempoPlayHead playHeads[2];
    for (int i = 0; i < 2; ++i)
    {
        processors[i] = preparedProcessor (run.rate, run.channels, run.settings, run.blockSize);
        processors[i]->engine.useFmaInstructions = run.fmaInstructions && processorHasFmaInstructions();
        processors[i]->setPlayHead (&playHeads[i]);
    }
    auto& skipping = *processors[0];
    auto& working = *processors[1];
    working.engine.skipSilence = false;

    double rate = run.rate;
    juce::MidiBuffer midi;
    bool everIdle = false;

    for (size_t s = 0; s < run.steps.size(); ++s)
    {
        const auto& step = run.steps[s];
        for (int i = 0; i < 2; ++i)
        {
            auto& p = *processors[i];
            if (step.newRate > 0.0)
                p.prepareToPlay (step.newRate, run.blockSize);
            if (step.program >= 0)
                p.setCurrentProgram (step.program);
            for (const auto& [slot, value] : step.changes)
                p.setParameter (slot, value);
            if (step.bpm > 0.0)
                playHeads[i].bpm = step.bpm;
        }
        if (step.newRate > 0.0)
            rate = step.newRate;

        const int numSamples = (int) (rate * step.seconds);
        auto input = step.noise ? noiseBurst<Sample> (run.channels, numSamples, 99u + (std::uint32_t) s)
                                : juce::AudioBuffer<Sample> (run.channels, numSamples);
        // Silence as a host may send it: zeros, and in every other step negative zeros.
        if (! step.noise)
            for (int c = 0; c < run.channels; ++c)
                juce::FloatVectorOperations::fill (input.getWritePointer (c), (Sample) (s % 2 == 0 ? 0.0 : -0.0),
                                                   numSamples);

        for (int start = 0; start < numSamples; start += run.blockSize)
        {
            const int length = std::min (run.blockSize, numSamples - start);
            juce::AudioBuffer<Sample> a (run.channels, length), b (run.channels, length);
            for (int c = 0; c < run.channels; ++c)
            {
                a.copyFrom (c, 0, input, c, start, length);
                b.copyFrom (c, 0, input, c, start, length);
            }
            skipping.processBlock (a, midi);
            working.processBlock (b, midi);

            const int difference = firstDifference (a, b);
            ASSERT_EQ (difference, -1) << "step " << s << ", sample " << start + difference;
            ASSERT_EQ (skipping.levelStep, working.levelStep) << "step " << s << ", sample " << start;
        }

        if (step.idleAfter)
        {
            EXPECT_TRUE (skipping.engine.holdsOnlyZeros()) << "step " << s << ": the shortcut never began";
            everIdle = true;
        }
    }

    // The rings, filters and drum have moved identically, so more noise still sounds the same.
    EXPECT_EQ (skipping.engine.headBank.writePositions, working.engine.headBank.writePositions);
    EXPECT_EQ (skipping.engine.drumDrift.driftOffset, working.engine.drumDrift.driftOffset);
    if (! everIdle)
    {
        EXPECT_FALSE (skipping.engine.holdsOnlyZeros()) << "a run meant never to fall idle did";
    }
}

// Noise, then silences shorter and longer than the echo lasts. Each step given is made in a
// short silence, followed by a long one (which must end idle if the step says so), then more
// noise with a short gap.
std::vector<Step> burstsAndSilences (double longSilence, std::vector<Step> inSilences)
{
    std::vector<Step> steps { { 0.7, true }, { 0.05, false }, { 0.3, true } };
    for (auto step : inSilences)
    {
        const bool idleAfter = step.idleAfter;
        step.noise = false;
        step.idleAfter = false;
        steps.push_back (step);
        steps.push_back ({ longSilence, false, {}, -1, 0.0, 0.0, idleAfter });
        steps.push_back ({ 0.4, true });
        steps.push_back ({ 0.02, false });
        steps.push_back ({ 0.2, true });
    }
    steps.push_back ({ longSilence, false });
    return steps;
}

TEST (EngineIdle, SilenceSoundsTheSameWithAndWithoutTheShortcut)
{
    namespace O = OversamplingSlot;
    // clang-format off
    const IdleRun runs[] = {
        // Stereo delay (its repeats keep circulating near -148 dBFS: never idle), then doubling
        // (summed to mono: channel 2's input shelf keeps its state), a tempo change, then the
        // construction settings again.
        { "construction settings and programs, stereo, 48 kHz", 48000.0, 2, false, true, 512, {},
          burstsAndSilences (20.0, { { 0.1, false, {}, 1 }, { 0.1, false, {}, 4, 0.0, 0.0, true },
                                    { 0.1, false, {}, -1, 90.0, 0.0, true }, { 0.1, false, {}, 0, 0.0, 0.0, true } }) },
        { "input only, 4 stages, 44.1 kHz, tempo and stage changes", 44100.0, 2, false, true, 333,
          { { Slot::selection, 0.2f }, { Slot::oversampling, O::valueOf (3) }, { Slot::delaySelection, 0.996f } },
          burstsAndSilences (20.0, { { 0.1, false, {}, -1, 200.0, 0.0, true },
                                     // stages 3 and 4 keep the burst they held: not idle
                                     { 0.1, false, { { Slot::oversampling, O::valueOf (1) } } },
                                     { 0.1, false, { { Slot::oversampling, O::valueOf (3) } }, -1, 75.0, 0.0, true } }) },
        { "repeats, both crossings, 2 stages, 96 kHz, prepared again at 44.1 kHz and back", 96000.0, 2, false, true, 512,
          { { Slot::selection, 0.5f }, { Slot::length, 0.3f }, { Slot::stereoFeedback1, 1.0f },
            { Slot::stereoFeedback2, 1.0f }, { Slot::oversampling, O::valueOf (1) } },
          burstsAndSilences (20.0, { { 0.1, false, {}, -1, 0.0, 44100.0, true }, { 0.1, false, {}, -1, 0.0, 96000.0, true } }) },
        { "repeats, 3 stages, mono bus, 64-bit, selector beyond its last position, 22.05 kHz", 22050.0, 1, true, true, 100,
          { { Slot::selection, 0.6f }, { Slot::oversampling, O::valueOf (2) }, { Slot::delaySelection, 1.5f },
            { Slot::length, 0.4f } },
          burstsAndSilences (20.0, { { 0.1, false, { { Slot::delaySelection, 0.4f }, { Slot::volume, 0.3f } }, -1, 0.0, 0.0, true } }) },
        // Frozen heads hold the sample they froze at: not idle until the stages come back.
        { "frozen heads (five stages) and the maths library's fma, 48 kHz", 48000.0, 2, false, false, 256,
          { { Slot::selection, 0.5f }, { Slot::length, 0.3f }, { Slot::stereoFeedback2, 1.0f } },
          burstsAndSilences (20.0, { { 0.1, false, { { Slot::oversampling, 1.0f } } },
                                    { 0.1, false, { { Slot::oversampling, O::valueOf (0) }, { Slot::tone, 0.9f } }, -1, 0.0, 0.0, true } }) },
    };
    const IdleRun swelling {
        "swell, all heads, 4 stages: the echo keeps circulating and never falls idle", 48000.0, 2, false, true, 512,
        { { Slot::selection, 0.99f }, { Slot::delaySelection, 0.996f }, { Slot::oversampling, O::valueOf (3) },
          { Slot::stereoFeedback1, 1.0f }, { Slot::stereoFeedback2, 1.0f } },
        { { 0.5, true }, { 0.05, false }, { 0.3, true }, { 8.0, false }, { 0.2, true }, { 2.0, false } } };
    // clang-format on

    for (const auto& run : runs)
    {
        SCOPED_TRACE (run.name);
        if (run.doublePrecision)
            expectSameWithAndWithoutShortcut<double> (run);
        else
            expectSameWithAndWithoutShortcut<float> (run);
    }

    SCOPED_TRACE (swelling.name);
    expectSameWithAndWithoutShortcut<float> (swelling);
}
} // namespace
