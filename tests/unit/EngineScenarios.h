#pragma once

#include "EngineTestProcessor.h"
#include "EngineTestSignals.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace vimbrel::test
{
// A run of the echo: rate, bus width, precision, which fma path, the settings before
// preparation and the parameter writes made while it plays.
struct EngineScenario
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

    int numSamples() const { return (int) (rate * seconds); }
};

// clang-format off
inline const EngineScenario engineScenarios[] = {
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

// The shipped processor, prepared for the scenario and on the fma path it names (where the
// machine has the instructions).
inline std::unique_ptr<NewProjectAudioProcessor> preparedProcessor (const EngineScenario& s)
{
    auto processor = preparedProcessor (s.rate, s.channels, s.settings, s.blockSize);
    processor->useFmaInstructions = s.fmaInstructions && processorHasFmaInstructions();
    return processor;
}

template <typename Sample>
juce::AudioBuffer<Sample> scenarioInput (const EngineScenario& s)
{
    return noiseBurst<Sample> (s.channels, s.numSamples(), 1234u);
}

// One block of a scenario's run, with the parameter writes made just before it.
struct ScenarioBlock
{
    int index, start, length;
    SlotValues changes;
};

// The scenario's blocks, its changes spread evenly over them.
inline std::vector<ScenarioBlock> scenarioBlocks (const EngineScenario& s)
{
    const int numSamples = s.numSamples();
    const int numBlocks = (numSamples + s.blockSize - 1) / s.blockSize;
    const int blocksPerChange = numBlocks / ((int) s.changes.size() + 1);

    std::vector<ScenarioBlock> blocks;
    for (int b = 0, change = 0; b < numBlocks; ++b)
    {
        const int start = b * s.blockSize;
        blocks.push_back ({ b, start, std::min (s.blockSize, numSamples - start), {} });

        if (blocksPerChange > 0 && b > 0 && b % blocksPerChange == 0 && change < (int) s.changes.size())
            blocks.back().changes = s.changes[(size_t) change++];
    }
    return blocks;
}
} // namespace vimbrel::test
