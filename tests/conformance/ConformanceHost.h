#pragma once

#include "HostedPlugin.h"
#include "MessageLoop.h"

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
using test::loadBuiltPlugin;

// Every random sequence comes from a seed that a failure names. VIMBREL_SEED replays one.
inline std::uint32_t seedFor (std::uint32_t fallback)
{
    const auto fromEnvironment = juce::SystemStats::getEnvironmentVariable ("VIMBREL_SEED", {});
    return fromEnvironment.isNotEmpty() ? (std::uint32_t) fromEnvironment.getLargeIntValue() : fallback;
}

#define VIMBREL_TRACE_SEED(seed)                                                                                       \
    SCOPED_TRACE (::testing::Message() << "seed " << (seed) << " (VIMBREL_SEED replays it)")

// An instance created but never prepared: a host may do anything before its first preparation.
inline std::unique_ptr<juce::AudioPluginInstance> loadUnpreparedPlugin()
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> descriptions;
    format.findAllTypesForFile (descriptions, host::bundleUnderTest().getFullPathName());
    if (descriptions.isEmpty())
    {
        ADD_FAILURE() << "no plug-in in " << host::bundleUnderTest().getFullPathName();
        return nullptr;
    }

    juce::String error;
    auto plugin = format.createInstanceFromDescription (*descriptions[0], 48000.0, 512, error);
    EXPECT_NE (plugin, nullptr) << error;
    return plugin;
}

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

// The inputs validators feed.
enum class Signal
{
    silence,
    noise,
    fullScale, // a square wave between -1 and 1
    dc
};

inline const char* nameOf (Signal signal)
{
    switch (signal)
    {
        case Signal::silence: return "silence";
        case Signal::noise: return "noise";
        case Signal::fullScale: return "full scale";
        case Signal::dc: return "DC";
    }
    return "?";
}

// Each signal in turn; the silence at the end hears the echoes of the loud ones die away.
inline constexpr Signal signalsInTurn[] = { Signal::silence, Signal::noise, Signal::fullScale, Signal::dc,
                                            Signal::silence };

template <typename Sample>
void fill (juce::AudioBuffer<Sample>& buffer, Signal signal, std::mt19937& random, juce::int64 position)
{
    std::uniform_real_distribution<float> noise (-1.0f, 1.0f);

    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            Sample value = 0;
            switch (signal)
            {
                case Signal::silence: break;
                case Signal::noise: value = (Sample) noise (random); break;
                case Signal::fullScale: value = ((position + i) / 50) % 2 == 0 ? (Sample) 1 : (Sample) -1; break;
                case Signal::dc: value = (Sample) 1; break;
            }
            buffer.setSample (channel, i, value);
        }
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

// A host's audio thread: calls the step again and again until stopped, leaving the other threads
// some time between blocks as a device does.
class AudioThread
{
public:
    explicit AudioThread (std::function<void()> blockToRun) : step (std::move (blockToRun))
    {
        thread = std::thread (
            [this]
            {
                while (running)
                {
                    step();
                    ++blocks;
                    std::this_thread::sleep_for (std::chrono::microseconds (200));
                }
            });
    }

    ~AudioThread() { stop(); }

    void stop()
    {
        running = false;
        if (thread.joinable())
            thread.join();
    }

    std::atomic<int> blocks { 0 };

private:
    std::function<void()> step;
    std::atomic<bool> running { true };
    std::thread thread;
};
} // namespace vimbrel::conformance
