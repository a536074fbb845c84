#include "engine/EchoVoicing.h"
#include "engine/HeadSelector.h"
#include "engine/InputStage.h"
#include "engine/LevelMeter.h"
#include "engine/RepeatModes.h"
#include "engine/SimpleDelay.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace
{
TEST (InputStage, SaturatorDoublesAndBendsUpwards)
{
    const struct
    {
        double in, out;
    } cases[] = { { 0.1, 0.2000732 }, { -0.1, -0.1999401 }, { 0.5, 1.0027109 }, { 1.0, 2.0180624 }, { 0.0, 0.0 } };

    for (const auto& c : cases)
        EXPECT_NEAR (InputStage::saturate (c.in), c.out, 5e-8) << "input " << c.in;
}

TEST (HeadSelector, SoftClipStaysWithinItsBound)
{
    const struct
    {
        double in, out;
    } cases[] = { { 0.1, 0.063127 }, { 0.5, 0.268471 }, { 1.0, 0.402740 }, { 2.0, 0.504486 }, { -1.0, -0.402740 } };

    for (const auto& c : cases)
        EXPECT_NEAR (HeadSelector::softClip (c.in), c.out, 5e-7) << "input " << c.in;

    // The arctangent's float limit lies a hair above pi/2.
    for (double in : { 10.0, 1e6, 1e30, -1e30 })
        EXPECT_LE (std::abs (HeadSelector::softClip (in)), 0.625 + 1e-7) << "input " << in;
}

TEST (HeadSelector, PositionsFollowTheLimits)
{
    const float heads[4] = { 1.0f, 10.0f, 100.0f, 1000.0f };
    const double previous = -7.0;

    const struct
    {
        float position;
        double echo;
    } cases[] = {
        { 0.0f, 1.0 },
        { 0.083f, 1.0 },
        { 0.1f, 10.0 },
        { 0.25f, 100.0 },
        { 0.332f, 1000.0 },
        { 0.34f, 1000.0 }, // the fourth limit lies just above 1/3
        { 0.342f, (double) (11.0f / 1.65f) },
        { 0.5f, (double) (110.0f / 1.85f) },
        { 0.55f, (double) (1100.0f / 1.85f) },
        { 0.6f, (double) (101.0f / 1.85f) },
        { 0.7f, (double) (1010.0f / 1.9f) },
        { 0.8f, (double) (111.0f / 2.5f) },
        { 0.9f, (double) (1110.0f / 2.7f) },
        { 0.996f, (double) (1111.0f / 3.4f) },
        { 1.5f, previous }, // beyond the last position the previous repeat returns
        { std::numeric_limits<float>::quiet_NaN(), previous },
    };

    for (const auto& c : cases)
        EXPECT_EQ (HeadSelector::select (heads, HeadSelector::position (c.position), previous), c.echo)
            << "selection " << c.position;
}

TEST (HeadSelector, SkewFollowsTheDrift)
{
    std::array<float, 8> heads;
    heads.fill (1.0f);
    HeadSelector::skew (heads, 0.0);
    for (float h : heads)
        EXPECT_EQ (h, 1.0f);

    heads.fill (1.0f);
    HeadSelector::skew (heads, 0.00068);
    const float up = (float) (1.0 + 0.0051f * 0.00068), down = (float) (1.0 - 0.0051f * 0.00068);
    const std::array<float, 8> expected { up, down, up, down, down, up, down, up };
    EXPECT_EQ (heads, expected);
}

TEST (EchoVoicing, TapeCurveSettlesAtSevenEighthsForSteadyInput)
{
    SampleFilter highPass;
    highPass.setCoefficients (juce::IIRCoefficients::makeHighPass (48000.0, 1400.0));

    double out = 0.0;
    for (int i = 0; i < 48000; ++i)
        out = EchoVoicing::tapeCurve (0.5f, highPass);

    EXPECT_NEAR (out, 0.875 * 0.5, 1e-6);
    EXPECT_NEAR (0.0001525 * EchoVoicing::tapeCurvePolynomial (0.5), 4e-7, 1e-7);
}

// The tone shelf runs the framework filter's arithmetic: bit for bit the same, before any
// design (the input passes), after one, from the very next sample after a redesign, and after a
// reset.
TEST (ToneShelf, EqualsTheFrameworkFilterThroughRedesignsAndResets)
{
    SampleFilter shelf;
    juce::IIRFilter framework;
    juce::Random random (7);

    auto expectSame = [&] (const char* phase)
    {
        for (int i = 0; i < 300; ++i)
        {
            float expected = random.nextFloat() - 0.5f;
            const float in = expected;
            framework.processSamples (&expected, 1);
            ASSERT_EQ (shelf.processSample (in), expected) << phase << ", sample " << i;
        }
    };

    expectSame ("before any design");

    for (const float tone : { 0.9f, 0.1f, 0.5f })
    {
        const auto design = makeToneShelf (48000.0, tone);
        shelf.setCoefficients (design);
        framework.setCoefficients (design);
        EXPECT_EQ (shelf.c3, design.coefficients[3]) << "tone " << tone;
        expectSame ("after a redesign");
    }

    shelf.reset();
    framework.reset();
    expectSame ("after a reset");
}

TEST (RepeatModes, HeadsHearInputRepeatsOrSwell)
{
    std::array<float, 8> heads { 0.15f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f };
    const float tL = 0.01f, tR = 0.02f;
    const double fbL = 0.2, fbR = 0.4;
    const float ownL = (float) (tL + 0.25), ownR = (float) (tR + 0.5);
    const float crossL = (float) (tL + 0.5), crossR = (float) (tR + 0.25);

    const struct
    {
        const char* name;
        RepeatModes::Settings settings;
        RepeatModes::HeadInputs expected;
    } cases[] = {
        { "no repeats at 0.33", { 0.33f, 0.5f, true, true }, { tL, tL, tR, tR } },
        { "no repeats at the limit 0.34", { 0.34f, 0.5f, false, false }, { tL, tL, tR, tR } },
        { "repeats, each channel into itself", { 0.5f, 0.5f, false, false }, { ownL, ownL, ownR, ownR } },
        { "repeats, button 1 crosses the even heads", { 0.5f, 0.5f, false, true }, { ownL, crossL, ownR, crossR } },
        { "repeats, button 2 crosses the odd heads", { 0.5f, 0.5f, true, false }, { crossL, ownL, crossR, ownR } },
        { "repeats, both buttons ping-pong", { 0.67f, 0.5f, true, true }, { crossL, crossL, crossR, crossR } },
    };

    for (const auto& c : cases)
    {
        const auto in = RepeatModes::headInputs (c.settings, tL, tR, fbL, fbR, heads);
        EXPECT_EQ (in.oddL, c.expected.oddL) << c.name;
        EXPECT_EQ (in.evenL, c.expected.evenL) << c.name;
        EXPECT_EQ (in.oddR, c.expected.oddR) << c.name;
        EXPECT_EQ (in.evenR, c.expected.evenR) << c.name;
    }

    // Swell: the stereo buttons do not cross, every head of a channel hears the same: the
    // straight repeat times 2.3 plus a tenth of its cross sum (heads 4 and 2 of its own
    // channel, 3 and 1 of the other).
    const auto swell = RepeatModes::headInputs ({ 0.99f, 0.5f, true, true }, tL, tR, fbL, fbR, heads);
    EXPECT_NEAR (swell.oddL, 0.01 + 0.23 + 0.1 * (0.4 + 0.7 + 0.2 + 0.5), 1e-6);
    EXPECT_NEAR (swell.oddR, 0.02 + 0.46 + 0.1 * (0.8 + 0.3 + 0.6 + 0.15), 1e-6);
    EXPECT_EQ (swell.oddL, swell.evenL);
    EXPECT_EQ (swell.oddR, swell.evenR);

    const auto noLength = RepeatModes::headInputs ({ 0.99f, 0.0f, false, false }, 0.0f, 0.0f, fbL, fbR, heads);
    EXPECT_NEAR (noLength.oddL, 0.18, 1e-6);
    EXPECT_NEAR (noLength.oddR, 0.185, 1e-6);
}

// One line on a ring of its own, stepped as the head bank steps its lines: the ring is
// written, then the line reads it.
struct LineOnItsRing
{
    std::unique_ptr<DelayRing> ring = std::make_unique<DelayRing>();
    SimpleDelay line;
    int writePos = 0;

    float step (float in)
    {
        ring->samples[(size_t) writePos] = in;
        const float out = line.read (*ring, writePos);
        writePos = DelayRing::nextPosition (writePos);
        return out;
    }
};

TEST (SimpleDelay, DelaysByWholeSamplesAndStaysInsideTheRing)
{
    const struct
    {
        const char* name;
        int delay;
        std::vector<float> in, out;
    } cases[] = {
        { "delay 0 returns its input", 0, { 1, 2, 3 }, { 1, 2, 3 } },
        { "delay 3", 3, { 1, 0, 0, 0, 0 }, { 0, 0, 0, 1, 0 } },
    };

    for (const auto& c : cases)
    {
        LineOnItsRing l;
        l.line.delaySamples = c.delay;
        for (size_t i = 0; i < c.in.size(); ++i)
            EXPECT_EQ (l.step (c.in[i]), c.out[i]) << c.name << ", sample " << i;
    }

    // Any time value, however hostile, keeps every read inside the ring.
    for (double time : { -1e300, -5.0, -1e-3, 0.0, 40.0, 1e300, std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN() })
    {
        for (bool whilePlaying : { true, false })
        {
            LineOnItsRing l;
            l.writePos = 7;
            if (whilePlaying)
                l.line.setTimeValue (time);
            else
            {
                l.line.timeValue = time;
                l.line.setRate (48000.0);
            }

            for (int i = 0; i < 3; ++i)
            {
                l.step (0.0f);
                EXPECT_GE (l.line.readPos, 0) << "time " << time;
                EXPECT_LT (l.line.readPos, l.line.length) << "time " << time;
            }
        }
    }
}

TEST (LevelMeter, MapsTheHeldPeakOntoSteps)
{
    const struct
    {
        float peak, step;
    } cases[] = {
        { 0.0f, 0.0f },
        { 0.0004f, 0.0f },
        { 0.0005f, 0.04f },
        { 0.003f, 0.20f },
        { 0.3f, 0.76f },
        { 0.351f, 0.80f },
        { 0.352f, 0.80f },
        { 0.3539f, 0.80f }, // the gap below 0.354 belongs to 0.80
        { 0.4f, 0.80f },
        { 0.8f, 0.92f },
        { 0.99f, 0.92f },
        { 1.0f, 0.96f }, // exactly 1.0 is not below the 0.92
                         // line's limit
        { 1.5f, 0.96f },
    };

    for (const auto& c : cases)
        EXPECT_EQ (LevelMeter::stepFor (c.peak), c.step) << "peak " << c.peak;
}

TEST (LevelMeter, HoldsAndDecaysPerBlock)
{
    const struct
    {
        const char* name;
        std::vector<float> blockPeaks, steps;
    } cases[] = {
        { "a 0.5 peak decays over silent blocks",
          { 0.5f, 0, 0, 0, 0, 0, 0, 0 },
          { 0.80f, 0.80f, 0.80f, 0.80f, 0.76f, 0.76f, 0.76f, 0.72f } },
        { "negative samples never raise it", { -0.9f }, { 0.0f } },
        { "a louder block takes over at once", { 0.01f, 0.3f, 1.5f }, { 0.32f, 0.76f, 0.96f } },
    };

    for (const auto& c : cases)
    {
        LevelMeter meter;
        for (size_t i = 0; i < c.blockPeaks.size(); ++i)
            EXPECT_EQ (meter.endBlock (c.blockPeaks[i]), c.steps[i]) << c.name << ", block " << i;
    }
}
} // namespace
