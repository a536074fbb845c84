#pragma once

#include "FixedTempoPlayHead.h"
#include "processor/EchoPluginProcessor.h"

#include <memory>
#include <utility>
#include <vector>

namespace vimbrel::test
{
using SlotValues = std::vector<std::pair<int, float>>;

// A processor prepared as a host would: the bus layout for one or two channels, then the rate.
inline std::unique_ptr<NewProjectAudioProcessor> preparedProcessor (double sampleRate, int numChannels,
                                                                    const SlotValues& slots = {}, int blockSize = 512)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const auto set = numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    processor->setBusesLayout (layout);

    for (const auto& [slot, value] : slots)
        processor->setParameter (slot, value);

    processor->prepareToPlay (sampleRate, blockSize);
    return processor;
}

// Processes a buffer in blocks of the given size, as a host would.
template <typename Sample>
void processInBlocks (NewProjectAudioProcessor& processor, juce::AudioBuffer<Sample>& buffer, int blockSize)
{
    juce::MidiBuffer midi;
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        const int length = std::min (blockSize, buffer.getNumSamples() - start);
        juce::AudioBuffer<Sample> block (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start, length);
        processor.processBlock (block, midi);
    }
}
} // namespace vimbrel::test
