#pragma once

#include "EngineTestProcessor.h"
#include "TestSignals.h"
#include "model/SlotTable.h"

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
    { "repeats, both crossings, 2 stages, 44.1 kHz", 44100.0, 2, false, true,
      { { Slot::selection, 0.5f }, { Slot::length, 0.6f }, { Slot::stereoFeedback1, 1.0f },
        { Slot::stereoFeedback2, 1.0f }, { Slot::oversampling, 0.25f }, { Slot::delaySelection, 0.5f } }, {} },
    { "repeats, even heads crossed, 3 stages, 96 kHz, 64-bit", 96000.0, 2, true, true,
      { { Slot::selection, 0.5f }, { Slot::stereoFeedback1, 1.0f }, { Slot::oversampling, 0.5f },
        { Slot::delaySelection, 0.75f }, { Slot::tone, 0.9f } }, {}, 480, 0.2 },
    { "repeats, odd heads crossed, 1 stage, 48 kHz", 48000.0, 2, false, true,
      { { Slot::selection, 0.6f }, { Slot::stereoFeedback2, 1.0f }, { Slot::delaySelection, 0.3f },
        { Slot::length, 0.9f } }, {} },
    { "swell, all heads, 4 stages, stereo, 48 kHz", 48000.0, 2, false, true,
      { { Slot::selection, 0.99f }, { Slot::delaySelection, 0.996f }, { Slot::oversampling, 0.75f },
        { Slot::stereoFeedback1, 1.0f }, { Slot::stereoFeedback2, 1.0f }, { Slot::length, 0.7f } }, {} },
    { "swell, mono bus, 1 stage, 44.1 kHz", 44100.0, 1, false, true,
      { { Slot::selection, 0.99f }, { Slot::delaySelection, 0.9f } }, {} },
    { "repeats, mono bus, 64-bit, 2 stages, 48 kHz", 48000.0, 1, true, true,
      { { Slot::selection, 0.5f }, { Slot::stereoFeedback2, 1.0f }, { Slot::oversampling, 0.25f },
        { Slot::volume, 0.7f } }, {} },
    { "maths-library fma: swell, 4 stages, 48 kHz", 48000.0, 2, false, false,
      { { Slot::selection, 0.99f }, { Slot::delaySelection, 0.996f }, { Slot::oversampling, 0.75f },
        { Slot::length, 0.5f } }, {} },
    { "maths-library fma: repeats, 64-bit, 96 kHz", 96000.0, 2, true, false,
      { { Slot::selection, 0.5f }, { Slot::stereoFeedback1, 1.0f }, { Slot::delaySelection, 0.45f },
        { Slot::volume, 0.4f } }, {}, 512, 0.2 },
    { "classic tempo, 5/8, double time, tone and volume", 44100.0, 2, false, true,
      { { Slot::classicSource, 1.0f }, { Slot::hostSource, 0.0f }, { Slot::beat58, 1.0f }, { Slot::doubleTime, 1.0f },
        { Slot::volume, 0.6f }, { Slot::tone, 0.2f }, { Slot::selection, 0.5f }, { Slot::stereoFeedback1, 1.0f } },
      {} },
    { "no tempo source: the drift alone sets the delays, some of them negative", 48000.0, 2, false, true,
      { { Slot::hostSource, 0.0f }, { Slot::selection, 0.5f }, { Slot::delaySelection, 0.5f },
        { Slot::stereoFeedback2, 1.0f } }, {} },
    { "selector beyond its last position feeds the repeats back", 48000.0, 2, false, true,
      { { Slot::delaySelection, 1.5f }, { Slot::selection, 0.5f } }, {} },
    { "changes while playing: stages, tone, mode, tempo, frozen heads", 48000.0, 2, false, true,
      { { Slot::selection, 0.5f }, { Slot::stereoFeedback1, 1.0f } },
      { { { Slot::oversampling, 0.75f }, { Slot::tone, 0.2f } },
        { { Slot::selection, 0.99f }, { Slot::doubleTime, 1.0f }, { Slot::delaySelection, 0.6f } },
        // oversampling 1.0: five stages, the heads freeze
        { { Slot::oversampling, 1.0f }, { Slot::volume, 0.7f }, { Slot::input, 0.8f } },
        { { Slot::oversampling, 0.0f }, { Slot::manualSource, 1.0f }, { Slot::manualBpm, 0.5f },
          { Slot::classicSource, 0.0f }, { Slot::stereoFeedback2, 1.0f } } },
      333, 0.6 },
    { "changes while playing, 64-bit, mono bus, maths-library fma", 44100.0, 1, true, false,
      { { Slot::selection, 0.5f } },
      { { { Slot::oversampling, 0.5f }, { Slot::selection, 0.99f } },
        { { Slot::tone, 1.0f }, { Slot::delaySelection, 0.25f }, { Slot::stereoFeedback1, 1.0f } } },
      256, 0.4 },
};
// clang-format on

// The shipped processor, prepared for the scenario and on the fma path it names (where the
// machine has the instructions).
inline std::unique_ptr<NewProjectAudioProcessor> preparedProcessor (const EngineScenario& s)
{
    auto processor = preparedProcessor (s.rate, s.channels, s.settings, s.blockSize);
    processor->engine.useFmaInstructions = s.fmaInstructions && processorHasFmaInstructions();
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
