#include "EngineScenarios.h"
#include "ReferenceEcho.h"

#include <gtest/gtest.h>

namespace
{
using namespace vimbrel::test;

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
    juce::MidiBuffer midi;

    for (const auto& block : scenarioBlocks (s))
    {
        for (const auto& [slot, value] : block.changes)
            processor->setParameter (slot, value);

        juce::AudioBuffer<Sample> expectedBlock (expected.getArrayOfWritePointers(), s.channels, block.start,
                                                 block.length);
        juce::AudioBuffer<Sample> actualBlock (actual.getArrayOfWritePointers(), s.channels, block.start, block.length);

        reference->process (expectedBlock, s.channels);
        processor->processBlock (actualBlock, midi);

        const int difference = firstDifference (expectedBlock, actualBlock);
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
} // namespace
