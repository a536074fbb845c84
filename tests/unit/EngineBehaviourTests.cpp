#include "EngineTestProcessor.h"
#include "TestSignals.h"
#include "model/SlotTable.h"

#include <gtest/gtest.h>

namespace
{
using namespace vimbrel::test;

template <typename Sample>
void expectVolumeZeroPassesTheInput (int channels, const SlotValues& settings, const char* name)
{
    SlotValues slots = settings;
    slots.push_back ({ Slot::volume, 0.0f });
    auto processor = preparedProcessor (48000.0, channels, slots);

    const auto input = noiseBurst<Sample> (channels, 24000, 77u);
    auto output = input;
    processInBlocks (*processor, output, 512);

    EXPECT_EQ (firstDifference (input, output), -1) << name;
}

TEST (EngineOutput, VolumeZeroPassesTheInputBitForBit)
{
    const struct
    {
        const char* name;
        int channels;
        SlotValues settings;
    } cases[] = {
        { "stereo, swell, 4 stages",
          2,
          { { Slot::selection, 0.99f },
            { Slot::oversampling, 0.75f },
            { Slot::stereoFeedback1, 1.0f },
            { Slot::stereoFeedback2, 1.0f } } },
        { "stereo, repeats, mono input", 2, { { Slot::selection, 0.5f }, { Slot::delaySelection, 0.9f } } },
        { "mono bus, repeats", 1, { { Slot::selection, 0.5f }, { Slot::stereoFeedback2, 1.0f } } },
    };

    for (const auto& c : cases)
    {
        expectVolumeZeroPassesTheInput<float> (c.channels, c.settings, c.name);
        expectVolumeZeroPassesTheInput<double> (c.channels, c.settings, c.name);
    }
}

TEST (EngineOutput, WithoutStereoButtonsBothChannelsCarryTheSameEcho)
{
    // Signal only on the left: at full volume both outputs are the processed mono sum.
    for (bool stereoButton : { false, true })
    {
        auto processor = preparedProcessor (
            48000.0, 2, { { Slot::selection, 0.5f }, { Slot::stereoFeedback1, stereoButton ? 1.0f : 0.0f } });
        auto buffer = noiseBurst<float> (2, 24000, 5u);
        buffer.clear (1, 0, buffer.getNumSamples());
        processInBlocks (*processor, buffer, 512);

        int differing = 0;
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            differing += buffer.getSample (0, i) != buffer.getSample (1, i);

        if (stereoButton)
        {
            EXPECT_GT (differing, buffer.getNumSamples() / 2) << "stereo input keeps the channels apart";
        }
        else
        {
            EXPECT_EQ (differing, 0) << "mono input feeds both outputs";
            EXPECT_GT (buffer.getMagnitude (1, 0, buffer.getNumSamples()), 0.1f);
        }
    }
}

// The sample, after a click, where the echo first rises above a small level.
int firstEchoAfter (const juce::AudioBuffer<float>& out, int click, int skip)
{
    for (int i = click + skip; i < out.getNumSamples(); ++i)
        if (std::abs (out.getSample (0, i)) > 0.02f)
            return i - click;
    return -1;
}

TEST (EngineEcho, HeadsSitAtTheirSpacing)
{
    // 44.1 kHz, 120 BPM, 8/8: a spacing of 0.5 s puts head 1 at 2205 samples, give or take
    // the drift's few samples (four times as many on head 4).
    const struct
    {
        const char* name;
        float oversampling, selector;
        int delay, tolerance;
    } cases[] = {
        { "head 1, one stage", 0.0f, 0.083f, 2205, 6 },     { "head 2, one stage", 0.0f, 0.1f, 4454, 10 },
        { "head 4, one stage", 0.0f, 0.3f, 8820, 20 },      { "head 1, two stages", 0.25f, 0.083f, 2204, 10 },
        { "head 1, four stages", 0.75f, 0.083f, 2204, 20 },
    };

    for (const auto& c : cases)
    {
        auto processor = preparedProcessor (
            44100.0, 2,
            { { Slot::oversampling, c.oversampling }, { Slot::delaySelection, c.selector }, { Slot::volume, 1.0f } });

        // A second of silence lets both banks take the spacing; then a click.
        juce::AudioBuffer<float> buffer (2, 44100 + 12000);
        buffer.clear();
        const int click = 44100;
        buffer.setSample (0, click, 1.0f);
        buffer.setSample (1, click, 1.0f);
        processInBlocks (*processor, buffer, 512);

        EXPECT_NEAR (firstEchoAfter (buffer, click, 300), c.delay, c.tolerance) << c.name;
    }
}

TEST (EngineEcho, LongSpacingsAreLimitedPerLineNotPerHead)
{
    // Manual 10 BPM with double time: a 12 s spacing; head 4 needs 211680 samples.
    const struct
    {
        float oversampling;
        int expectedDelay, tolerance;
    } cases[] = { { 0.0f, 149999, 0 }, { 0.25f, 105840, 12 } };

    for (const auto& c : cases)
    {
        auto processor = preparedProcessor (44100.0, 2,
                                            { { Slot::hostSource, 0.0f },
                                              { Slot::manualSource, 1.0f },
                                              { Slot::manualBpm, 10.0f / 200.0f },
                                              { Slot::doubleTime, 1.0f },
                                              { Slot::oversampling, c.oversampling } });
        ASSERT_FLOAT_EQ (processor->headSpacing, 12.0f);

        juce::AudioBuffer<float> buffer (2, 44100);
        buffer.clear();
        processInBlocks (*processor, buffer, 512);

        for (int bank = 0; bank < 2; ++bank)
            EXPECT_NEAR (processor->engine.headBank.line (0, 0, bank, 3).delaySamples, c.expectedDelay, c.tolerance)
                << "oversampling " << c.oversampling << ", bank " << bank;
    }
}

TEST (EnginePreparation, AdaptsDelaysAndKeepsTheTone)
{
    auto processor = preparedProcessor (48000.0, 2);
    EXPECT_EQ (processor->engine.headBank.line (0, 0, 0, 1).delaySamples, 1920); // time value 0.4
    EXPECT_EQ (processor->engine.sampleStep, 10.0 / 48000.0);

    // The tone set before a preparation is the tone heard after it: the same as setting it
    // after the preparation, and not the flat shelf.
    auto render = [] (float tone, bool toneBeforePreparation)
    {
        auto p = std::make_unique<NewProjectAudioProcessor>();
        p->setParameter (Slot::selection, 0.5f);
        if (toneBeforePreparation)
            p->setParameter (Slot::tone, tone);
        p->prepareToPlay (44100.0, 512); // an earlier preparation at another rate
        p->prepareToPlay (48000.0, 512);
        if (! toneBeforePreparation)
            p->setParameter (Slot::tone, tone);

        auto buffer = noiseBurst<float> (2, 12000, 9u);
        processInBlocks (*p, buffer, 512);
        return buffer;
    };

    const auto toneBefore = render (1.0f, true);
    EXPECT_EQ (firstDifference (toneBefore, render (1.0f, false)), -1);
    EXPECT_NE (firstDifference (toneBefore, render (0.5f, false)), -1);
}

TEST (EnginePreparation, ClearsBothChannelsHeadOutputs)
{
    auto processor = preparedProcessor (48000.0, 2, { { Slot::selection, 0.99f }, { Slot::stereoFeedback1, 1.0f } });
    auto buffer = noiseBurst<float> (2, 24000, 3u);
    processInBlocks (*processor, buffer, 512);

    for (size_t i = 0; i < 8; ++i)
        ASSERT_NE (processor->engine.headOutputs[i], 0.0f) << "head output " << i << " should carry signal before";

    processor->prepareToPlay (48000.0, 512);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ (processor->engine.headOutputs[i], 0.0f) << "head output " << i;
}

TEST (EngineReset, RestartsTheFadeButKeepsTheEchoesOnTheDrum)
{
    auto processor = preparedProcessor (48000.0, 2);
    juce::AudioBuffer<float> buffer (2, 48000 + 2000);
    buffer.clear();
    processInBlocks (*processor, buffer, 512);

    buffer.clear();
    buffer.setSample (0, 0, 1.0f);
    buffer.setSample (1, 0, 1.0f);
    juce::AudioBuffer<float> click (buffer.getArrayOfWritePointers(), 2, 0, 512);
    juce::MidiBuffer midi;
    processor->processBlock (click, midi);

    processor->reset();
    EXPECT_EQ (processor->engine.drumDrift.fadePosition, 0.0);
    EXPECT_EQ (processor->engine.drumDrift.fadeBank, 1);
    EXPECT_EQ (processor->engine.drumDrift.driftDirection, 1);
    EXPECT_EQ (processor->engine.feedbackL, 0.0);
    EXPECT_EQ (processor->engine.levelMeter.levelPeak, 0.0f);

    juce::AudioBuffer<float> rest (buffer.getArrayOfWritePointers(), 2, 512, buffer.getNumSamples() - 512);
    processInBlocks (*processor, rest, 512);
    EXPECT_GT (rest.getMagnitude (0, 0, rest.getNumSamples()), 0.1f) << "the click's echo still sounds";
}

TEST (EngineLevel, EmptyBlocksDecayTheMeter)
{
    auto processor = preparedProcessor (48000.0, 2, { { Slot::volume, 0.0f } });
    juce::AudioBuffer<float> loud (2, 256);
    loud.clear();
    loud.setSample (1, 10, 0.5f);
    juce::MidiBuffer midi;
    processor->processBlock (loud, midi);
    EXPECT_EQ (processor->levelStep, 0.80f);

    const float steps[] = { 0.80f, 0.80f, 0.80f, 0.76f };
    juce::AudioBuffer<float> empty (2, 0);
    for (float step : steps)
    {
        processor->processBlock (empty, midi);
        EXPECT_EQ (processor->levelStep, step);
    }
}

TEST (EngineHostTempo, ReachesTheSpacingAtTheNextParameterWrite)
{
    auto processor = preparedProcessor (48000.0, 2);
    FixedTempoPlayHead playHead;
    processor->setPlayHead (&playHead);
    juce::AudioBuffer<float> buffer (2, 64);
    juce::MidiBuffer midi;

    const struct
    {
        double hostTempo;
        float storedTempo;
    } cases[] = {
        { 90.0, 90.0f },
        { 0.0, 120.0f },
        { 9.9, 120.0f },
        { std::numeric_limits<double>::quiet_NaN(), 120.0f },
        { std::numeric_limits<double>::infinity(), 120.0f },
        { 1e300, 120.0f }, // beyond any float
        { -60.0, 120.0f },
        { 150.0, 150.0f },
    };

    for (const auto& c : cases)
    {
        const float spacingBefore = processor->headSpacing;
        playHead.bpm = c.hostTempo;
        buffer.clear();
        processor->processBlock (buffer, midi);
        EXPECT_EQ (processor->hostBpm, c.storedTempo) << "host tempo " << c.hostTempo;
        EXPECT_EQ (processor->headSpacing, spacingBefore) << "host tempo " << c.hostTempo;

        processor->setParameter (Slot::input, 1.0f);
        EXPECT_FLOAT_EQ (processor->headSpacing, 60.0f / c.storedTempo) << "host tempo " << c.hostTempo;
    }

    processor->setPlayHead (nullptr);
}
} // namespace
