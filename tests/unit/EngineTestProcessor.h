#pragma once

#include "FixedTempoPlayHead.h"
#include "HostPreparation.h"
#include "processor/EchoPluginProcessor.h"

#include <memory>

namespace vimbrel::test
{
using hostsim::FixedTempoPlayHead;
using hostsim::processInBlocks;
using hostsim::SlotValues;

// A fresh processor, prepared as a host would.
inline std::unique_ptr<NewProjectAudioProcessor> preparedProcessor (double sampleRate, int numChannels,
                                                                    const SlotValues& slots = {}, int blockSize = 512)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    hostsim::prepareLikeHost (*processor, sampleRate, numChannels, slots, blockSize);
    return processor;
}
} // namespace vimbrel::test
