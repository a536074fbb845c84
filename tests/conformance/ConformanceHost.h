#pragma once

#include "HostedPlugin.h"
#include "MessageLoop.h"
#include "RepeatingThread.h"
#include "TestSignals.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <random>
#include <thread>

// What the conformance tests share: the built bundle loaded as a host loads it, the signals a
// validator feeds, the check every output sample must pass, and a host's audio thread.
namespace vimbrel::conformance
{
using test::fill;
using test::loadBuiltPlugin;
using test::loadUnpreparedBuiltPlugin;
using test::nameOf;
using test::Signal;
using test::signalsInTurn;

// Every random sequence comes from a seed that a failure names. VIMBREL_SEED replays one.
inline std::uint32_t seedFor (std::uint32_t fallback)
{
    const auto fromEnvironment = juce::SystemStats::getEnvironmentVariable ("VIMBREL_SEED", {});
    return fromEnvironment.isNotEmpty() ? (std::uint32_t) fromEnvironment.getLargeIntValue() : fallback;
}

#define VIMBREL_TRACE_SEED(seed)                                                                                       \
    SCOPED_TRACE (::testing::Message() << "seed " << (seed) << " (VIMBREL_SEED replays it)")

// Releases the instance, gives it a layout of one bus each way with this many channels (or its
// input bus disabled) and prepares it again; tells whether the host's layout was taken.
inline bool reprepare (juce::AudioPluginInstance& plugin, double rate, int maximumBlock, int channels,
                       bool inputEnabled = true)
{
    plugin.releaseResources();
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (inputEnabled ? set : juce::AudioChannelSet::disabled());
    layout.outputBuses.add (set);
    const bool taken = plugin.setBusesLayout (layout);
    plugin.prepareToPlay (rate, maximumBlock);
    return taken;
}

// The first output sample that is not a finite number, or is subnormal; empty when all are fine.
template <typename Sample>
std::string firstBadSample (const juce::AudioBuffer<Sample>& buffer, int numChannels)
{
    for (int channel = 0; channel < numChannels; ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const auto value = buffer.getSample (channel, i);
            if (! std::isfinite (value) || std::fpclassify (value) == FP_SUBNORMAL)
                return "channel " + std::to_string (channel) + ", sample " + std::to_string (i) + ": " +
                       std::to_string ((double) value);
        }

    return {};
}

// A host's audio thread: plays block after block until stopped, leaving the other threads some
// time between blocks as a device does.
class AudioThread : public test::RepeatingThread
{
public:
    explicit AudioThread (std::function<void()> playOneBlock)
        : RepeatingThread (std::move (playOneBlock), std::chrono::microseconds (200))
    {
    }

    int blocks() const { return steps(); }
};
} // namespace vimbrel::conformance
