#include "HostPreparation.h"
#include "processor/EchoPluginProcessor.h"
#include "processor/SlotTable.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
// The heaviest setting: swell, all four heads selected, stereo feedback on, 1 to 4 stages.
void processBlockRealtimeFactor (benchmark::State& state)
{
    const double sampleRate = (double) state.range (0);
    const int channels = (int) state.range (1);
    const int stages = (int) state.range (2);
    constexpr int blockSize = 512;

    auto processor = std::make_unique<NewProjectAudioProcessor>();
    vimbrel::hostsim::prepareLikeHost (*processor, sampleRate, channels,
                                       { { Slot::selection, 0.99f },       // swell
                                         { Slot::delaySelection, 0.996f }, // all four heads
                                         { Slot::oversampling, (float) (stages - 1) * 0.25f },
                                         { Slot::stereoFeedback1, 1.0f },
                                         { Slot::stereoFeedback2, 1.0f } },
                                       blockSize);

    juce::AudioBuffer<float> noise (channels, blockSize), buffer (channels, blockSize);
    juce::Random random (42);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < blockSize; ++i)
            noise.setSample (c, i, random.nextFloat() * 0.5f - 0.25f);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        buffer.makeCopyOf (noise, true);
        processor->processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.counters["realtime"] =
        benchmark::Counter ((double) blockSize / sampleRate * (double) state.iterations(), benchmark::Counter::kIsRate);
    state.counters["instance_MB"] = (double) sizeof (NewProjectAudioProcessor) / 1e6;
    state.counters["fma_instructions"] = processor->engine.useFmaInstructions ? 1 : 0;
}
} // namespace

BENCHMARK (processBlockRealtimeFactor)
    ->ArgNames ({ "rate", "channels", "stages" })
    ->ArgsProduct ({ { 44100, 48000, 96000 }, { 1, 2 }, { 1, 2, 3, 4 } })
    ->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN();
