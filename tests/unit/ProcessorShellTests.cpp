#include "processor/EchoPluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
using Layout = juce::AudioProcessor::BusesLayout;

Layout layoutOf (std::initializer_list<juce::AudioChannelSet> inputs,
                 std::initializer_list<juce::AudioChannelSet> outputs)
{
    Layout layout;
    for (const auto& set : inputs)
        layout.inputBuses.add (set);
    for (const auto& set : outputs)
        layout.outputBuses.add (set);
    return layout;
}

TEST (ProcessorShell, GivesTheFixedAnswers)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();

    EXPECT_EQ (processor->getName(), "FHA_Vimbrel2");
    EXPECT_FALSE (processor->acceptsMidi());
    EXPECT_FALSE (processor->producesMidi());
    EXPECT_FALSE (processor->isMidiEffect());
    // Without repeats the echo ends after head 4 (0.2 s at 120 BPM) and the filters' ringing.
    EXPECT_NEAR (processor->getTailLengthSeconds(), 0.7, 0.003);
    EXPECT_TRUE (processor->hasEditor());
    EXPECT_EQ (processor->getNumParameters(), 22);
    EXPECT_EQ (processor->getNumPrograms(), 6);
    EXPECT_FALSE (processor->supportsDoublePrecisionProcessing());

    ASSERT_EQ (processor->getBusCount (true), 1);
    ASSERT_EQ (processor->getBusCount (false), 1);
    EXPECT_EQ (processor->getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor->getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor->getBus (true, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
    EXPECT_EQ (processor->getBus (false, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
}

TEST (ProcessorShell, AcceptsOnlyMatchingMonoOrStereoLayouts)
{
    const auto mono = juce::AudioChannelSet::mono();
    const auto stereo = juce::AudioChannelSet::stereo();
    const auto none = juce::AudioChannelSet::disabled();

    struct Case
    {
        const char* name;
        Layout layout;
        bool accepted;
    };

    const Case cases[] = {
        { "mono to mono", layoutOf ({ mono }, { mono }), true },
        { "stereo to stereo", layoutOf ({ stereo }, { stereo }), true },
        { "mono to stereo", layoutOf ({ mono }, { stereo }), false },
        { "stereo to mono", layoutOf ({ stereo }, { mono }), false },
        { "no input bus, stereo out", layoutOf ({}, { stereo }), false },
        { "two input buses", layoutOf ({ stereo, stereo }, { stereo }), false },
        { "disabled to disabled", layoutOf ({ none }, { none }), false },
        { "5.1 to 5.1",
          layoutOf ({ juce::AudioChannelSet::create5point1() }, { juce::AudioChannelSet::create5point1() }), false },
        { "no buses at all", layoutOf ({}, {}), false },
    };

    auto processor = std::make_unique<NewProjectAudioProcessor>();

    for (const auto& c : cases)
        EXPECT_EQ (processor->checkBusesLayoutSupported (c.layout), c.accepted) << c.name;
}

TEST (ProcessorShell, StartsWithTheConstructionValues)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    auto& p = *processor;

    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_EQ (p.test, 1);
    EXPECT_EQ (p.oversamplingFactor, 1);
    EXPECT_EQ (p.headSpacing, 0.5f);
    EXPECT_EQ (p.effectiveBpm, 120.0f);
    EXPECT_EQ (p.hostBpm, 120.0f);
    EXPECT_EQ (p.engine.sampleRate, 444100.0);

    const std::pair<const char*, float> fields[] = {
        { "finput", p.finput },
        { "flenght", p.flenght },
        { "ftone", p.ftone },
        { "fvolume", p.fvolume },
        { "fselection", p.fselection },
        { "fdelayselection", p.fdelayselection },
        { "levelStep", p.levelStep },
        { "spareTempo", p.spareTempo },
        { "fbpmmanual", p.fbpmmanual },
        { "fbpmhost", p.fbpmhost },
        { "fbpmclassic", p.fbpmclassic },
        { "fbpm", p.fbpm },
        { "fbtn58", p.fbtn58 },
        { "fbtn68", p.fbtn68 },
        { "fbtn78", p.fbtn78 },
        { "fbtn88", p.fbtn88 },
        { "fbtn1", p.fbtn1 },
        { "fbtn2", p.fbtn2 },
        { "fbtn3", p.fbtn3 },
        { "foversampling", p.foversampling },
    };
    const float expected[] = { 1.0f, 0.5f, 0.5f, 1.0f, 0.33f, 1.0f / 12.0f, 0.0f, 0.5f, 0.5f, 1.0f,
                               0.0f, 0.0f, 0.0f, 0.0f, 0.0f,  1.0f,         0.0f, 0.0f, 0.0f, 0.0f };

    for (size_t i = 0; i < std::size (fields); ++i)
        EXPECT_EQ (fields[i].second, expected[i]) << fields[i].first;
}

TEST (ProcessorShell, PreparingAgainKeepsEverySetting)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->prepareToPlay (44100.0, 512);

    for (int slot = 0; slot < Slot::count; ++slot)
        processor->setParameter (slot, 0.25f + (float) slot / 100.0f);

    std::array<float, Slot::count> before {};
    for (int slot = 0; slot < Slot::count; ++slot)
        before[(size_t) slot] = processor->getParameter (slot);

    processor->releaseResources();
    processor->prepareToPlay (96000.0, 64);

    for (int slot = 0; slot < Slot::count; ++slot)
        EXPECT_EQ (processor->getParameter (slot), before[(size_t) slot]) << "slot " << slot;

    EXPECT_EQ (processor->engine.sampleRate, 96000.0);
}

TEST (ProcessorShell, CreatePluginFilterGivesAProcessorOnTheHeap)
{
    std::unique_ptr<juce::AudioProcessor> plugin (createPluginFilter());
    ASSERT_NE (dynamic_cast<NewProjectAudioProcessor*> (plugin.get()), nullptr);
    EXPECT_EQ (plugin->getName(), "FHA_Vimbrel2");
}

// The engine lives inside the processor, rings and all: an instance stays within 20 MB.
TEST (ProcessorShell, AnInstanceTakesAtMostTwentyMegabytes)
{
    EXPECT_LE (sizeof (NewProjectAudioProcessor), 20'000'000u);
}
} // namespace
