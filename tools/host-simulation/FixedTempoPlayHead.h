#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace vimbrel::hostsim
{
// A host's transport, playing at one tempo.
struct FixedTempoPlayHead : juce::AudioPlayHead
{
    double bpm = 120.0;

    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (bpm);
        info.setIsPlaying (true);
        return info;
    }
};
} // namespace vimbrel::hostsim
