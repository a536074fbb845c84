#include "ConformanceHost.h"

#include <numeric>

namespace
{
using namespace vimbrel::conformance;

constexpr int largestBlock = 8192;

struct Played
{
    std::string firstBad; // the first block whose output is not clean; empty when all are
    float peak = 0.0f;
};

// Plays the blocks, each filled with the signal where it falls.
Played playBlocks (juce::AudioPluginInstance& plugin, const std::vector<int>& blockSizes, Signal signal,
                   std::mt19937& random)
{
    Played played;
    const int channels = plugin.getTotalNumOutputChannels();
    juce::AudioBuffer<float> storage (channels, largestBlock);
    juce::MidiBuffer midi;
    juce::int64 position = 0;

    for (size_t b = 0; b < blockSizes.size(); ++b)
    {
        juce::AudioBuffer<float> block (storage.getArrayOfWritePointers(), channels, blockSizes[b]);
        fill (block, signal, random, position);
        plugin.processBlock (block, midi);
        position += blockSizes[b];

        if (const auto bad = firstBadSample (block, channels); ! bad.empty())
        {
            played.firstBad =
                "block " + std::to_string (b) + " of " + std::to_string (blockSizes[b]) + " samples, " + bad;
            return played;
        }

        for (int channel = 0; channel < channels; ++channel)
            played.peak = std::max (played.peak, block.getMagnitude (channel, 0, block.getNumSamples()));
    }

    return played;
}

// Every block size from 1 to the largest, a block of none between them, then sizes that change
// from block to block.
std::vector<int> blockSizesToPlay (std::mt19937& random)
{
    std::vector<int> sizes { 1, 2, 3, 7, 0, 31, 32, 33, 64, 100, 0, 127, 500, 511, 512, 513, 1024, 4096, largestBlock };
    std::uniform_int_distribution<int> varying (1, 2048);
    for (int i = 0; i < 16; ++i)
        sizes.push_back (i % 5 == 4 ? 0 : varying (random));
    return sizes;
}

TEST (ConformanceAudio, EveryRateBlockSizeAndLayoutGivesCleanOutput)
{
    const double rates[] = { 22050.0,  44100.0,  48000.0,   88200.0,   96000.0,
                             192000.0, 384000.0, 1234.5678, 12345.678, 123456.78 };
    const auto seed = seedFor (1);
    VIMBREL_TRACE_SEED (seed);
    std::mt19937 random (seed);

    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);

    for (int channels : { 1, 2 })
        for (double rate : rates)
        {
            ASSERT_TRUE (reprepare (*plugin, rate, largestBlock, channels));
            ASSERT_EQ (plugin->getTotalNumOutputChannels(), channels);

            for (auto signal : signalsInTurn)
            {
                const auto played = playBlocks (*plugin, blockSizesToPlay (random), signal, random);
                EXPECT_TRUE (played.firstBad.empty())
                    << channels << " channels at " << rate << " Hz, " << nameOf (signal) << ": " << played.firstBad;

                // Proof that the blocks were processed: the loud signals come out.
                if (signal != Signal::silence)
                {
                    EXPECT_GT (played.peak, 0.1f) << channels << " channels at " << rate << " Hz, " << nameOf (signal);
                }
            }
        }
}

TEST (ConformanceAudio, EverySlotAtItsExtremesGivesCleanOutput)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    const auto& parameters = plugin->getParameters();
    const auto seed = seedFor (2);
    VIMBREL_TRACE_SEED (seed);
    std::mt19937 random (seed);

    struct Setting
    {
        std::string name;
        std::vector<std::pair<int, float>> values;
    };

    // Each automatable slot alone at 0 and at 1, then all of them at 0 and all at 1.
    std::vector<Setting> settings;
    std::vector<std::pair<int, float>> allAtZero, allAtOne;
    for (int slot = 0; slot < Slot::count; ++slot)
        if (parameters[slot]->isAutomatable())
            for (float extreme : { 0.0f, 1.0f })
            {
                settings.push_back ({ "slot " + std::to_string (slot) + " at " + std::to_string ((int) extreme),
                                      { { slot, extreme } } });
                (extreme == 0.0f ? allAtZero : allAtOne).push_back ({ slot, extreme });
            }
    settings.push_back ({ "every slot at 0", allAtZero });
    settings.push_back ({ "every slot at 1", allAtOne });

    const std::vector<int> blocks { 512, 7, 4096, 1, 2000, 0, 1536 };

    for (double rate : { 1234.5678, 48000.0, 384000.0 })
    {
        ASSERT_TRUE (reprepare (*plugin, rate, largestBlock, 2));

        for (const auto& setting : settings)
        {
            for (int slot = 0; slot < Slot::count; ++slot)
                if (parameters[slot]->isAutomatable())
                    parameters[slot]->setValue (parameters[slot]->getDefaultValue());
            for (const auto& [slot, value] : setting.values)
                parameters[slot]->setValue (value);

            for (auto signal : signalsInTurn)
            {
                const auto played = playBlocks (*plugin, blocks, signal, random);
                EXPECT_TRUE (played.firstBad.empty())
                    << setting.name << " at " << rate << " Hz, " << nameOf (signal) << ": " << played.firstBad;
            }
        }
    }
}

// A host may switch the input bus off (a send with nothing routed to it): the plug-in takes the
// layout, plays silence into the drum, and echoes again once the bus is back.
TEST (ConformanceAudio, TheInputBusCanBeDisabledAndEnabledAgain)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    std::mt19937 random (3);

    ASSERT_TRUE (reprepare (*plugin, 48000.0, 512, 2, false));
    EXPECT_EQ (plugin->getTotalNumInputChannels(), 0);
    EXPECT_EQ (plugin->getTotalNumOutputChannels(), 2);

    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;
    for (int b = 0; b < 20; ++b)
    {
        fill (buffer, Signal::noise, random, 0);
        plugin->processBlock (buffer, midi);
        ASSERT_EQ (firstBadSample (buffer, 2), "") << "block " << b;
        EXPECT_EQ (buffer.getMagnitude (0, 512), 0.0f) << "block " << b << ": nothing reaches a disabled input";
    }

    ASSERT_TRUE (reprepare (*plugin, 48000.0, 512, 2, true));
    EXPECT_EQ (plugin->getTotalNumInputChannels(), 2);

    // A click, and its echo from head 1 a twentieth of a second later.
    juce::AudioBuffer<float> out (2, 20 * 512);
    out.clear();
    out.setSample (0, 0, 1.0f);
    out.setSample (1, 0, 1.0f);
    for (int b = 0; b < 20; ++b)
    {
        juce::AudioBuffer<float> block (out.getArrayOfWritePointers(), 2, b * 512, 512);
        plugin->processBlock (block, midi);
    }
    EXPECT_GT (out.getMagnitude (0, 2000, 1000), 0.02f);
}

// The host's choice of precision: the plug-in offers 32-bit processing only, so the framework's
// host (like any VST3 host) never hands it 64-bit buffers; its 64-bit entry is the unit tests'.
TEST (ConformanceAudio, SixtyFourBitProcessingIsNotOffered)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    EXPECT_FALSE (plugin->supportsDoublePrecisionProcessing());
    EXPECT_FALSE (plugin->isUsingDoublePrecision());
}
} // namespace
