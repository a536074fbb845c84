#include "EngineTestProcessor.h"
#include "EngineTestSignals.h"
#include "ReferenceEcho.h"

#include <gtest/gtest.h>

namespace
{
using namespace vimbrel::test;

struct Scenario
{
    const char* name;
    double rate;
    int channels;
    bool doublePrecision;
    bool fmaInstructions;
    SlotValues settings;
    std::vector<SlotValues> changes; // applied at evenly spaced points of the run
    int blockSize = 512;
    double seconds = 0.3;
};

// Runs the shipped engine and the plain reading side by side over the same blocks and the
// same parameter writes; gives the first block (and sample) where they part.
template <typename Sample>
void expectSameAsPlainReading (const Scenario& s)
{
    auto processor = preparedProcessor (s.rate, s.channels, s.settings, s.blockSize);
    processor->useFmaInstructions = s.fmaInstructions && processorHasFmaInstructions();

    auto reference = std::make_unique<ReferenceEcho> (*processor);
    reference->prepare (s.rate);

    const int numSamples = (int) (s.rate * s.seconds);
    auto input = noiseBurst<Sample> (s.channels, numSamples, 1234u);
    auto expected = input;
    auto actual = input;
    juce::MidiBuffer midi;

    const int numBlocks = (numSamples + s.blockSize - 1) / s.blockSize;
    const int blocksPerChange = numBlocks / ((int) s.changes.size() + 1);

    for (int b = 0, change = 0; b < numBlocks; ++b)
    {
        if (blocksPerChange > 0 && b > 0 && b % blocksPerChange == 0 && change < (int) s.changes.size())
            for (const auto& [slot, value] : s.changes[(size_t) change++])
                processor->setParameter (slot, value);

        const int start = b * s.blockSize, length = std::min (s.blockSize, numSamples - start);
        juce::AudioBuffer<Sample> expectedBlock (expected.getArrayOfWritePointers(), s.channels, start, length);
        juce::AudioBuffer<Sample> actualBlock (actual.getArrayOfWritePointers(), s.channels, start, length);

        reference->process (expectedBlock, s.channels);
        processor->processBlock (actualBlock, midi);

        const int difference = firstDifference (expectedBlock, actualBlock);
        ASSERT_EQ (difference, -1) << s.name << ": block " << b << ", sample " << start + difference;
        ASSERT_EQ (processor->levelStep, reference->levelStep) << s.name << ": block " << b;
    }

    // The comparison means something only if the echo was heard.
    EXPECT_GT (actual.getMagnitude (0, numSamples / 2, numSamples / 2), 0.01) << s.name;
}

// clang-format off
const Scenario scenarios[] = {
    { "construction settings, stereo, 48 kHz", 48000.0, 2, false, true, {}, {} },
    { "repeats, both crossings, 2 stages, 44.1 kHz",
      44100.0, 2, false, true, { { 4, 0.5f }, { 1, 0.6f }, { 15, 1.0f }, { 17, 1.0f }, { 9, 0.25f }, { 5, 0.5f } }, {} },
    { "repeats, even heads crossed, 3 stages, 96 kHz, 64-bit",
      96000.0, 2, true, true, { { 4, 0.5f }, { 15, 1.0f }, { 9, 0.5f }, { 5, 0.75f }, { 2, 0.9f } }, {}, 480, 0.2 },
    { "repeats, odd heads crossed, 1 stage, 48 kHz",
      48000.0, 2, false, true, { { 4, 0.6f }, { 17, 1.0f }, { 5, 0.3f }, { 1, 0.9f } }, {} },
    { "swell, all heads, 4 stages, stereo, 48 kHz",
      48000.0, 2, false, true, { { 4, 0.99f }, { 5, 0.996f }, { 9, 0.75f }, { 15, 1.0f }, { 17, 1.0f }, { 1, 0.7f } }, {} },
    { "swell, mono bus, 1 stage, 44.1 kHz", 44100.0, 1, false, true, { { 4, 0.99f }, { 5, 0.9f } }, {} },
    { "repeats, mono bus, 64-bit, 2 stages, 48 kHz",
      48000.0, 1, true, true, { { 4, 0.5f }, { 17, 1.0f }, { 9, 0.25f }, { 3, 0.7f } }, {} },
    { "maths-library fma: swell, 4 stages, 48 kHz",
      48000.0, 2, false, false, { { 4, 0.99f }, { 5, 0.996f }, { 9, 0.75f }, { 1, 0.5f } }, {} },
    { "maths-library fma: repeats, 64-bit, 96 kHz",
      96000.0, 2, true, false, { { 4, 0.5f }, { 15, 1.0f }, { 5, 0.45f }, { 3, 0.4f } }, {}, 512, 0.2 },
    { "classic tempo, 5/8, double time, tone and volume",
      44100.0, 2, false, true,
      { { 13, 1.0f }, { 12, 0.0f }, { 18, 1.0f }, { 16, 1.0f }, { 3, 0.6f }, { 2, 0.2f }, { 4, 0.5f }, { 15, 1.0f } }, {} },
    { "no tempo source: the drift alone sets the delays, some of them negative",
      48000.0, 2, false, true, { { 12, 0.0f }, { 4, 0.5f }, { 5, 0.5f }, { 17, 1.0f } }, {} },
    { "selector beyond its last position feeds the repeats back", 48000.0, 2, false, true,
      { { 5, 1.5f }, { 4, 0.5f } }, {} },
    { "changes while playing: stages, tone, mode, tempo, frozen heads",
      48000.0, 2, false, true, { { 4, 0.5f }, { 15, 1.0f } },
      { { { 9, 0.75f }, { 2, 0.2f } },
        { { 4, 0.99f }, { 16, 1.0f }, { 5, 0.6f } },
        { { 9, 1.0f }, { 3, 0.7f }, { 0, 0.8f } }, // oversampling 1.0: five stages, the heads freeze
        { { 9, 0.0f }, { 11, 1.0f }, { 10, 0.5f }, { 13, 0.0f }, { 17, 1.0f } } },
      333, 0.6 },
    { "changes while playing, 64-bit, mono bus, maths-library fma",
      44100.0, 1, true, false, { { 4, 0.5f } },
      { { { 9, 0.5f }, { 4, 0.99f } }, { { 2, 1.0f }, { 5, 0.25f }, { 15, 1.0f } } }, 256, 0.4 },
};
// clang-format on

TEST (EngineReference, EqualsThePlainReadingBitForBit)
{
    for (const auto& s : scenarios)
    {
        SCOPED_TRACE (s.name);
        if (s.doublePrecision)
            expectSameAsPlainReading<double> (s);
        else
            expectSameAsPlainReading<float> (s);
    }
}
} // namespace
