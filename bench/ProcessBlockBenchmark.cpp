#include "HostPreparation.h"
#include "ReferenceEcho.h"
#include "model/SlotTable.h"
#include "processor/EchoPluginProcessor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace
{
double threadCpuSeconds()
{
    timespec now {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return (double) now.tv_sec + (double) now.tv_nsec * 1e-9;
}

// One block of white noise peaking at -12 dBFS, the same in every run.
juce::AudioBuffer<float> noiseBlock (int channels, int blockSize)
{
    juce::AudioBuffer<float> noise (channels, blockSize);
    juce::Random random (42);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < blockSize; ++i)
            noise.setSample (c, i, random.nextFloat() * 0.5f - 0.25f);
    return noise;
}

// The heaviest setting: swell, all four heads selected, stereo feedback on, 1 to 4 stages.
// Every iteration runs a round of blocks through the engine's instances, then the same round
// through as many instances of the plain reading (tools/reference-echo), each timed on the
// thread's CPU clock. "realtime" is seconds of audio per CPU second, "ratio" the
// engine's realtime factor over the plain reading's in the same run.
void processBlockRealtimeFactor (benchmark::State& state)
{
    const double sampleRate = (double) state.range (0);
    const int channels = (int) state.range (1);
    const int stages = (int) state.range (2);
    const int blockSize = (int) state.range (3);
    const int instances = (int) state.range (4);

    std::vector<std::unique_ptr<NewProjectAudioProcessor>> processors;
    std::vector<std::unique_ptr<vimbrel::reference::ReferenceEcho>> plainReadings;
    for (int i = 0; i < instances; ++i)
    {
        processors.push_back (std::make_unique<NewProjectAudioProcessor>());
        vimbrel::hostsim::prepareLikeHost (*processors.back(), sampleRate, channels,
                                           { { Slot::selection, 0.99f },       // swell
                                             { Slot::delaySelection, 0.996f }, // all four heads
                                             { Slot::oversampling, OversamplingSlot::valueOf (stages - 1) },
                                             { Slot::stereoFeedback1, 1.0f },
                                             { Slot::stereoFeedback2, 1.0f } },
                                           blockSize);
        plainReadings.push_back (std::make_unique<vimbrel::reference::ReferenceEcho> (*processors.back()));
        plainReadings.back()->prepare (sampleRate);
    }

    const auto noise = noiseBlock (channels, blockSize);
    juce::AudioBuffer<float> buffer (channels, blockSize);
    juce::MidiBuffer midi;

    // A round is 4096 samples in blocks, each block through every instance in turn: the plain
    // reading, timed after the engine, leaves the caches to the engine only once a round.
    const int blocksPerRound = std::max (1, 4096 / blockSize);
    auto runRound = [&] (auto&& processOneBlock)
    {
        const double start = threadCpuSeconds();
        for (int block = 0; block < blocksPerRound; ++block)
            for (int i = 0; i < instances; ++i)
            {
                buffer.makeCopyOf (noise, true);
                processOneBlock (i);
                benchmark::DoNotOptimize (buffer.getReadPointer (0));
            }
        return threadCpuSeconds() - start;
    };

    double engineSeconds = 0.0, plainSeconds = 0.0;
    for (auto _ : state)
    {
        const double engineRound = runRound ([&] (int i) { processors[(size_t) i]->processBlock (buffer, midi); });
        plainSeconds += runRound ([&] (int i) { plainReadings[(size_t) i]->process (buffer, channels); });
        engineSeconds += engineRound;
        state.SetIterationTime (engineRound);
    }

    const double audioSeconds =
        (double) blockSize / sampleRate * (double) blocksPerRound * (double) state.iterations() * instances;
    state.counters["realtime"] = audioSeconds / engineSeconds;
    state.counters["plain_realtime"] = audioSeconds / plainSeconds;
    state.counters["ratio"] = plainSeconds / engineSeconds;
    state.counters["instance_MB"] = (double) sizeof (NewProjectAudioProcessor) / 1e6;
    state.counters["fma_instructions"] = processors.front()->engine.useFmaInstructions ? 1 : 0;
}

// Every rate at the three block sizes with all four stages; fewer stages, one channel and
// eight instances at 48 kHz.
void arguments (benchmark::internal::Benchmark* b)
{
    for (int rate : { 44100, 48000, 96000 })
        for (int block : { 32, 64, 512 })
            b->Args ({ rate, 2, 4, block, 1 });
    for (int stages : { 1, 2, 3 })
        b->Args ({ 48000, 2, stages, 512, 1 });
    b->Args ({ 48000, 1, 4, 512, 1 });
    for (int block : { 32, 512 })
        b->Args ({ 48000, 2, 4, block, 8 });
}

// Two settings a user meets: the construction settings and the heaviest (swell, all heads, four
// stages, stereo feedback on).
const vimbrel::hostsim::SlotValues settingsByIndex[] = {
    {},
    { { Slot::selection, 0.99f },
      { Slot::delaySelection, 0.996f },
      { Slot::oversampling, OversamplingSlot::valueOf (3) },
      { Slot::stereoFeedback1, 1.0f },
      { Slot::stereoFeedback2, 1.0f } },
};

// One instance at 48 kHz stereo playing noise, timed against the plain reading on the same
// noise, and a second instance that heard a burst of noise and then 20 s of silence (longer than
// the echo of four stages on the longest ring), timed on more silence. "idle_fraction" is the
// silent instance's CPU time over the playing one's.
void playingAndIdle (benchmark::State& state)
{
    constexpr double sampleRate = 48000.0;
    constexpr int channels = 2;
    const auto& settings = settingsByIndex[state.range (0)];
    const int blockSize = (int) state.range (1);

    auto playing = std::make_unique<NewProjectAudioProcessor>();
    auto silent = std::make_unique<NewProjectAudioProcessor>();
    for (auto* p : { playing.get(), silent.get() })
        vimbrel::hostsim::prepareLikeHost (*p, sampleRate, channels, settings, blockSize);
    auto plainReading = std::make_unique<vimbrel::reference::ReferenceEcho> (*playing);
    plainReading->prepare (sampleRate);

    const auto noise = noiseBlock (channels, blockSize);
    juce::AudioBuffer<float> buffer (channels, blockSize);
    juce::MidiBuffer midi;

    auto blocksFor = [&] (double seconds) { return (int) (seconds * sampleRate) / blockSize; };
    for (int b = 0; b < blocksFor (1.0); ++b)
    {
        buffer.makeCopyOf (noise, true);
        silent->processBlock (buffer, midi);
    }
    for (int b = 0; b < blocksFor (20.0); ++b)
    {
        buffer.clear();
        silent->processBlock (buffer, midi);
    }

    const int blocksPerRound = std::max (1, 4096 / blockSize);
    auto timeRound = [&] (bool silence, auto&& processOneBlock)
    {
        const double start = threadCpuSeconds();
        for (int block = 0; block < blocksPerRound; ++block)
        {
            if (silence)
                buffer.clear();
            else
                buffer.makeCopyOf (noise, true);
            processOneBlock();
            benchmark::DoNotOptimize (buffer.getReadPointer (0));
        }
        return threadCpuSeconds() - start;
    };

    double engineSeconds = 0.0, plainSeconds = 0.0, idleSeconds = 0.0;
    for (auto _ : state)
    {
        const double engineRound = timeRound (false, [&] { playing->processBlock (buffer, midi); });
        plainSeconds += timeRound (false, [&] { plainReading->process (buffer, channels); });
        idleSeconds += timeRound (true, [&] { silent->processBlock (buffer, midi); });
        engineSeconds += engineRound;
        state.SetIterationTime (engineRound);
    }

    const double audioSeconds = (double) blockSize / sampleRate * (double) blocksPerRound * (double) state.iterations();
    state.counters["realtime"] = audioSeconds / engineSeconds;
    state.counters["ratio"] = plainSeconds / engineSeconds;
    state.counters["idle_fraction"] = idleSeconds / engineSeconds;
}
} // namespace

BENCHMARK (playingAndIdle)
    ->ArgNames ({ "heaviest", "block" })
    ->ArgsProduct ({ { 0, 1 }, { 32, 512 } })
    ->UseManualTime()
    ->Unit (benchmark::kMicrosecond);

BENCHMARK (processBlockRealtimeFactor)
    ->ArgNames ({ "rate", "channels", "stages", "block", "instances" })
    ->Apply (arguments)
    ->UseManualTime()
    ->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN();
