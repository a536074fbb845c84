#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace vimbrel::hostsim
{
// Slot writes, in the order a host sends them.
using SlotValues = std::vector<std::pair<int, float>>;

// Sets a processor up as a host would: the bus layout for one or two channels, the slots a
// saved project restores, then the rate and the largest block.
inline void prepareLikeHost (juce::AudioProcessor& processor, double sampleRate, int numChannels,
                             const SlotValues& slots = {}, int blockSize = 512)
{
    const auto set = numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    processor.setBusesLayout (layout);

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    for (const auto& [slot, value] : slots)
        processor.setParameter (slot, value);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    processor.prepareToPlay (sampleRate, blockSize);
}

// Processes a buffer in place, in blocks of the given size, as a host would.
template <typename Sample>
void processInBlocks (juce::AudioProcessor& processor, juce::AudioBuffer<Sample>& buffer, int blockSize)
{
    juce::MidiBuffer midi;
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        const int length = std::min (blockSize, buffer.getNumSamples() - start);
        juce::AudioBuffer<Sample> block (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start, length);
        processor.processBlock (block, midi);
    }
}
} // namespace vimbrel::hostsim
