#include "EngineTestProcessor.h"
#include "TestSignals.h"
#include "engine/EchoEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{
using vimbrel::test::preparedProcessor;
using vimbrel::test::SlotValues;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr double ringOutSeconds = EchoEngine::tailRingOutSeconds;

// What the tail depends on. By default, what a fresh processor has at 48 kHz: no repeats, head 1
// of four, one stage, a beat of 0.5 s.
struct Settings
{
    float selection = 0.33f; // repeat mode
    float length = 0.5f;     // repeat gain
    float delaySelection = 1.0f / 12.0f;
    float headSpacing = 0.5f; // seconds per beat fraction; the heads sit at 1 to 4 tenths of it
    int stages = 1;           // delay stages per head
    double sampleRate = 48000.0;
};

template <typename Change>
Settings with (Change change)
{
    Settings settings;
    change (settings);
    return settings;
}

// An engine reading control fields of its own, asked for its tail under each setting in turn.
// The engine is large, so one serves a whole table.
class EngineTail
{
public:
    double secondsFor (const Settings& settings)
    {
        fselection = settings.selection;
        flenght = settings.length;
        fdelayselection = settings.delaySelection;
        headSpacing = settings.headSpacing;
        oversamplingFactor = settings.stages;
        engine->sampleRate = settings.sampleRate;
        return engine->tailSeconds();
    }

private:
    RelaxedAtomic<float> finput, flenght, ftone, fvolume, fselection, fdelayselection, fbtn1, fbtn3, headSpacing;
    RelaxedAtomic<int> oversamplingFactor;
    std::unique_ptr<EchoEngine> engine = std::make_unique<EchoEngine> (EchoControls {
        finput, flenght, ftone, fvolume, fselection, fdelayselection, fbtn1, fbtn3, headSpacing, oversamplingFactor });
};

TEST (EchoTail, IsInfiniteWhileTheEchoCanKeepItselfGoing)
{
    struct Case
    {
        const char* name;
        Settings settings;
    };

    const Case cases[] = {
        { "repeats", with ([] (auto& s) { s.selection = 0.66f; }) },
        { "repeats just above their threshold", with ([] (auto& s) { s.selection = 0.34000003f; }) },
        { "repeats at the smallest length", with ([] (auto& s) { s.selection = 0.5f, s.length = 1e-30f; }) },
        { "repeats at a negative length", with ([] (auto& s) { s.selection = 0.5f, s.length = -0.5f; }) },
        { "swell", with ([] (auto& s) { s.selection = 0.99f; }) },
        // The cross-mix of the heads still feeds the drum.
        { "swell without length", with ([] (auto& s) { s.selection = 0.99f, s.length = 0.0f; }) },
        { "repeat mode not a number", with ([] (auto& s) { s.selection = nan; }) },
        { "repeats with length not a number", with ([] (auto& s) { s.selection = 0.5f, s.length = nan; }) },
        { "head selector beyond its last position", with ([] (auto& s) { s.delaySelection = 1.0000001f; }) },
        { "head selector not a number", with ([] (auto& s) { s.delaySelection = nan; }) },
        { "no stage", with ([] (auto& s) { s.stages = 0; }) },
        { "five stages (Oversampling at 1)", with ([] (auto& s) { s.stages = 5; }) },
        // A rate no host runs at, which preparation refuses.
        { "sample rate not a number", with ([] (auto& s) { s.sampleRate = std::nan (""); }) },
        { "sample rate 0", with ([] (auto& s) { s.sampleRate = 0.0; }) },
    };

    EngineTail engine;

    for (const auto& c : cases)
        EXPECT_EQ (engine.secondsFor (c.settings), std::numeric_limits<double>::infinity()) << c.name;
}

TEST (EchoTail, OtherwiseCoversTheLongestHeadAndTheFiltersRingingOut)
{
    struct Case
    {
        const char* name;
        Settings settings;
        double longestHead; // seconds, worked out by hand
    };

    // The drum holds a stage's time for at most one ring: 150,000 samples.
    const Case cases[] = {
        { "fresh: head 4 at 0.4 of a 0.5 s beat", {}, 0.2 },
        { "repeats without length", with ([] (auto& s) { s.selection = 0.5f, s.length = 0.0f; }), 0.2 },
        { "last selector position", with ([] (auto& s) { s.delaySelection = 1.0f; }), 0.2 },
        { "four stages share the head's time", with ([] (auto& s) { s.stages = 4; }), 0.2 },
        { "classic double time", with ([] (auto& s) { s.headSpacing = 1.38f; }), 0.552 },
        { "no tempo source: the heads at the write position", with ([] (auto& s) { s.headSpacing = 0.0f; }), 0.0 },
        { "at 384 kHz", with ([] (auto& s) { s.sampleRate = 384000.0; }), 0.2 },
        { "10 BPM double time: head 4 beyond the ring", with ([] (auto& s) { s.headSpacing = 12.0f; }),
          150000.0 / 48000.0 },
        { "the same with four stages", with ([] (auto& s) { s.headSpacing = 12.0f, s.stages = 4; }), 4.8 },
        { "a spacing not a number counts as the whole ring", with ([] (auto& s) { s.headSpacing = nan, s.stages = 2; }),
          2 * 150000.0 / 48000.0 },
        { "a negative spacing counts as the whole ring", with ([] (auto& s) { s.headSpacing = -1.0f; }),
          150000.0 / 48000.0 },
    };

    EngineTail engine;

    for (const auto& c : cases)
    {
        const double tail = engine.secondsFor (c.settings);
        const double atLeast = c.longestHead + ringOutSeconds;

        // The drift, the jitter and the rounding add at most a few milliseconds.
        EXPECT_GE (tail, atLeast) << c.name;
        EXPECT_LT (tail, atLeast + 0.003) << c.name;
    }
}

// The last sample louder than -120 dB, in seconds from the start, or a negative number.
double lastAudible (const juce::AudioBuffer<float>& buffer, double sampleRate)
{
    for (int i = buffer.getNumSamples(); --i >= 0;)
        for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
            if (std::abs (buffer.getSample (channel, i)) > 1e-6f)
                return (i + 1) / sampleRate;

    return -1.0;
}

// A second of noise, then silence: the processor's echo dies away within the tail it reports;
// and when head 4 is heard, not far before its end (the tail is the echo's, not an arbitrary
// figure). The tail always counts head 4, so that choosing it later cannot outlast the tail.
TEST (EchoTail, TheEchoDiesAwayWithinTheReportedTail)
{
    struct Case
    {
        const char* name;
        double rate;
        SlotValues slots;
        bool headFourHeard;
    };

    const Case cases[] = {
        { "fresh: head 1", 48000.0, {}, false },
        { "all four heads, four stages",
          48000.0,
          { { Slot::delaySelection, 0.996f }, { Slot::oversampling, 0.75f } },
          true },
        { "classic double time, head 4",
          44100.0,
          { { Slot::hostSource, 0.0f },
            { Slot::classicSource, 1.0f },
            { Slot::doubleTime, 1.0f },
            { Slot::delaySelection, 0.332f } },
          true },
        { "repeats without length, stereo",
          96000.0,
          { { Slot::selection, 0.5f },
            { Slot::length, 0.0f },
            { Slot::stereoFeedback1, 1.0f },
            { Slot::delaySelection, 0.332f } },
          true },
        { "an odd rate, two stages",
          12345.678,
          { { Slot::delaySelection, 0.332f }, { Slot::oversampling, 0.25f } },
          true },
        // 10 BPM (automation below the fader's range), double time: a spacing of 12 s puts head 4
        // at 4.8 s, more than one ring holds (3.125 s at 48 kHz) but not more than four stages
        // of 1.2 s each.
        { "a long spacing over four stages, head 4",
          48000.0,
          { { Slot::hostSource, 0.0f },
            { Slot::manualSource, 1.0f },
            { Slot::manualBpm, 0.05f },
            { Slot::doubleTime, 1.0f },
            { Slot::oversampling, 0.75f },
            { Slot::delaySelection, 0.332f } },
          true },
    };

    constexpr double inputSeconds = 1.0;

    for (const auto& c : cases)
    {
        auto processor = preparedProcessor (c.rate, 2, c.slots);
        const double tail = processor->getTailLengthSeconds();
        ASSERT_TRUE (std::isfinite (tail)) << c.name;

        const int inputSamples = (int) (inputSeconds * c.rate);
        auto buffer = vimbrel::test::noiseBurst<float> (2, inputSamples + (int) ((tail + 0.5) * c.rate), 7u);
        buffer.clear (inputSamples, buffer.getNumSamples() - inputSamples);
        vimbrel::test::processInBlocks (*processor, buffer, 512);

        const double echoEnds = lastAudible (buffer, c.rate) - inputSeconds;
        EXPECT_LE (echoEnds, tail) << c.name;
        if (c.headFourHeard)
        {
            EXPECT_GT (echoEnds, tail - ringOutSeconds - 0.01) << c.name;
        }
    }
}

// Why the tail is infinite with repeats or swell: their echo is still plainly audible long after
// the plain echo would have ended.
TEST (EchoTail, RepeatsAndSwellOutlastAnyFiniteTail)
{
    for (int program : { 1, 2, 3, 5 })
    {
        auto processor = preparedProcessor (48000.0, 2);
        processor->setCurrentProgram (program);
        EXPECT_EQ (processor->getTailLengthSeconds(), std::numeric_limits<double>::infinity()) << "program " << program;

        auto buffer = vimbrel::test::noiseBurst<float> (2, 48000 * 4, 3u);
        buffer.clear (48000, buffer.getNumSamples() - 48000);
        vimbrel::test::processInBlocks (*processor, buffer, 512);

        // Three seconds after the input, four times the plain echo's tail: above -80 dB.
        EXPECT_GT (buffer.getMagnitude (48000 * 4 - 4800, 4800), 1e-4f) << "program " << program;
    }
}
} // namespace
