#include "EngineScenarios.h"
#include "ReferenceEcho.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{
using namespace vimbrel::test;
using vimbrel::reference::ReferenceEcho;

// Runs the samples [start, start + length) of both buffers through the plain reading and the
// engine, in place; gives the first sample of that block where they part, or -1.
template <typename Sample>
int processBoth (ReferenceEcho& reference, NewProjectAudioProcessor& processor, juce::AudioBuffer<Sample>& expected,
                 juce::AudioBuffer<Sample>& actual, int channels, int start, int length)
{
    juce::AudioBuffer<Sample> expectedBlock (expected.getArrayOfWritePointers(), channels, start, length);
    juce::AudioBuffer<Sample> actualBlock (actual.getArrayOfWritePointers(), channels, start, length);
    juce::MidiBuffer midi;

    reference.process (expectedBlock, channels);
    processor.processBlock (actualBlock, midi);
    return firstDifference (expectedBlock, actualBlock);
}

// Runs the shipped engine and the plain reading side by side over the same blocks and the
// same parameter writes; gives the first block (and sample) where they part.
template <typename Sample>
void expectSameAsPlainReading (const EngineScenario& s)
{
    auto processor = preparedProcessor (s);
    auto reference = std::make_unique<ReferenceEcho> (*processor);
    reference->prepare (s.rate);

    const int numSamples = s.numSamples();
    auto expected = scenarioInput<Sample> (s);
    auto actual = expected;

    for (const auto& block : scenarioBlocks (s))
    {
        for (const auto& [slot, value] : block.changes)
            processor->setParameter (slot, value);

        const int difference =
            processBoth (*reference, *processor, expected, actual, s.channels, block.start, block.length);
        ASSERT_EQ (difference, -1) << s.name << ": block " << block.index << ", sample " << block.start + difference;
        ASSERT_EQ (processor->levelStep, reference->levelStep) << s.name << ": block " << block.index;
    }

    // The comparison means something only if the echo was heard.
    EXPECT_GT (actual.getMagnitude (0, numSamples / 2, numSamples / 2), 0.01) << s.name;
}

TEST (EngineReference, EqualsThePlainReadingBitForBit)
{
    for (const auto& s : engineScenarios)
    {
        SCOPED_TRACE (s.name);
        if (s.doublePrecision)
            expectSameAsPlainReading<double> (s);
        else
            expectSameAsPlainReading<float> (s);
    }
}

// A run of several seconds, in phases: the first prepares the processor, every later one
// prepares it again at its own rate (and makes its parameter writes) while the rings keep
// what they hold.
struct LongRun
{
    const char* name;
    int channels;
    bool doublePrecision;
    SlotValues settings;

    struct Phase
    {
        double rate;
        double seconds;
        SlotValues changes = {};
    };
    std::vector<Phase> phases;

    // The delays the run must reach for it to mean what its name says.
    bool reachesNegativeDelays, reachesClampedDelays, reachesDelaysBeyondTheRing;
};

struct DelaysReached
{
    bool negative = false, clamped = false, beyondTheRing = false;

    void note (const NewProjectAudioProcessor& processor)
    {
        for (const auto& line : processor.engine.headBank.lines)
        {
            negative = negative || line.delaySamples < 0;
            clamped = clamped || line.delaySamples == line.length - 1;
            beyondTheRing = beyondTheRing || line.delaySamples >= line.length;
        }
    }
};

template <typename Sample>
void expectSameOverLongRun (const LongRun& run)
{
    constexpr int blockSize = 512;
    const auto& first = run.phases.front();
    auto processor = preparedProcessor (first.rate, run.channels, run.settings, blockSize);
    auto reference = std::make_unique<ReferenceEcho> (*processor);
    reference->prepare (first.rate);

    DelaysReached reached;

    for (size_t p = 0; p < run.phases.size(); ++p)
    {
        const auto& phase = run.phases[p];
        if (p > 0)
        {
            processor->prepareToPlay (phase.rate, blockSize);
            reference->prepare (phase.rate);
        }
        for (const auto& [slot, value] : phase.changes)
            processor->setParameter (slot, value);

        const int numSamples = (int) (phase.rate * phase.seconds);
        auto expected = noiseBurst<Sample> (run.channels, numSamples, 77u + (std::uint32_t) p);
        auto actual = expected;

        for (int start = 0; start < numSamples; start += blockSize)
        {
            const int length = std::min (blockSize, numSamples - start);
            const int difference = processBoth (*reference, *processor, expected, actual, run.channels, start, length);
            reached.note (*processor);

            ASSERT_EQ (difference, -1) << "phase " << p << ", sample " << start + difference;
            ASSERT_EQ (processor->levelStep, reference->levelStep) << "phase " << p << ", sample " << start;
        }

        EXPECT_GT (actual.getMagnitude (0, numSamples / 2, numSamples / 2), 0.01) << "phase " << p;
    }

    EXPECT_EQ (reached.negative, run.reachesNegativeDelays);
    EXPECT_EQ (reached.clamped, run.reachesClampedDelays);
    EXPECT_EQ (reached.beyondTheRing, run.reachesDelaysBeyondTheRing);
}

// Every ring of the running stages is written past its end more than once, so the reads
// that reach back (or, with a negative delay, ahead) a whole ring see old samples.
TEST (EngineReference, EqualsThePlainReadingOnceEveryRingHasWrapped)
{
    const SlotValues manualTenBpmDoubleTime { { Slot::hostSource, 0.0f },
                                              { Slot::manualSource, 1.0f },
                                              { Slot::manualBpm, 10.0f / 200.0f },
                                              { Slot::doubleTime, 1.0f } };
    auto with = [] (SlotValues values, const SlotValues& more)
    {
        values.insert (values.end(), more.begin(), more.end());
        return values;
    };

    // clang-format off
    const LongRun runs[] = {
        { "swell, all heads, 4 stages, 44.1 kHz, then 96 kHz", 2, false,
          { { Slot::selection, 0.99f }, { Slot::delaySelection, 0.996f }, { Slot::oversampling, 0.75f },
            { Slot::stereoFeedback1, 1.0f }, { Slot::stereoFeedback2, 1.0f }, { Slot::length, 0.7f } },
          { { 44100.0, 4.0 }, { 96000.0, 2.0 } }, false, false, false },
        // The longest heads ask for more than the ring holds; at 96 kHz, until the next
        // retime, for more than the ring's length.
        { "10 BPM, double time, 1 stage, 44.1 kHz, then 96 kHz, then 4 stages", 2, false,
          with (manualTenBpmDoubleTime, { { Slot::selection, 0.5f }, { Slot::delaySelection, 0.996f },
                                          { Slot::stereoFeedback1, 1.0f }, { Slot::length, 0.8f } }),
          { { 44100.0, 4.0 }, { 96000.0, 2.0 }, { 96000.0, 2.0, { { Slot::oversampling, 0.75f } } } },
          false, true, true },
        { "no tempo source: the drift alone sets the delays, 4 stages, 64-bit, 48 kHz, then 96 kHz", 2, true,
          { { Slot::hostSource, 0.0f }, { Slot::selection, 0.5f }, { Slot::delaySelection, 0.5f },
            { Slot::stereoFeedback2, 1.0f }, { Slot::oversampling, 0.75f } },
          { { 48000.0, 3.5 }, { 96000.0, 2.0 } }, true, false, false },
    };
    // clang-format on

    for (const auto& run : runs)
    {
        SCOPED_TRACE (run.name);
        if (run.doublePrecision)
            expectSameOverLongRun<double> (run);
        else
            expectSameOverLongRun<float> (run);
    }
}
} // namespace
