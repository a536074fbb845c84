#include "engine/DrumDrift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace
{
struct Retime
{
    int sample, bank;
    long driftSteps;
};

// Runs the drift from a reset for a number of samples, recording every bank retime with the
// drift in whole sample steps.
struct DriftRun
{
    DrumDrift drift;
    std::vector<Retime> retimes;
    std::vector<double> jitterSteps;

    DriftRun (double sampleRate, int numSamples)
    {
        const double step = 10.0 / sampleRate;
        const DrumDrift::Rates rates (sampleRate, step);
        drift.reset();

        for (int i = 0; i < numSamples; ++i)
        {
            drift.step (rates,
                        [&] (int bank, double) {
                            retimes.push_back ({ i, bank, std::lround (drift.driftOffset / step) });
                        });
            jitterSteps.push_back (drift.jitterOffset / step);
        }
    }
};

TEST (DrumDrift, FadeStartsAtTheMidpointAndRetimesBankOneFirst)
{
    DrumDrift drift;
    drift.reset();
    const auto weights = drift.step (DrumDrift::Rates (44100.0, 10.0 / 44100.0), [] (int, double) {});
    EXPECT_NEAR (drift.fadePosition, 0.0022468, 1e-7);
    EXPECT_NEAR (weights.bank0, (1.0 + drift.fadePosition) * 0.5, 1e-15);
    EXPECT_NEAR (weights.bank1, (1.0 - drift.fadePosition) * 0.5, 1e-15);

    const DriftRun run (44100.0, 1000);
    ASSERT_FALSE (run.retimes.empty());
    EXPECT_NEAR (run.retimes[0].sample, 445, 3);
    EXPECT_EQ (run.retimes[0].bank, 1);
    EXPECT_EQ (run.retimes[0].driftSteps, 1);
}

TEST (DrumDrift, DriftRunsATriangleAndBanksAlternate)
{
    const DriftRun run (44100.0, 13 * 900);
    const std::vector<long> triangle { 1, 2, 3, 2, 1, 0, -1, -2, -3, -2, -1, 0, 1 };

    ASSERT_GE (run.retimes.size(), triangle.size());
    for (size_t i = 0; i < triangle.size(); ++i)
    {
        EXPECT_EQ (run.retimes[i].driftSteps, triangle[i]) << "retime " << i;
        EXPECT_EQ (run.retimes[i].bank, i % 2 == 0 ? 1 : 0) << "retime " << i;
        if (i > 0)
        {
            EXPECT_NEAR (run.retimes[i].sample - run.retimes[i - 1].sample, 890, 10) << "retime " << i;
        }
    }

    for (double jitter : run.jitterSteps)
        EXPECT_TRUE (std::lround (jitter) == 0 || std::lround (jitter) == -1) << jitter;
}

TEST (DrumDrift, SwingGrowsWithTheSampleRate)
{
    const struct
    {
        double rate;
        long top, bottom;
    } cases[] = { { 48000.0, 4, -4 }, { 96000.0, 7, -7 } };

    for (const auto& c : cases)
    {
        const DriftRun run (c.rate, (int) c.rate);
        long top = 0, bottom = 0;
        for (const auto& r : run.retimes)
        {
            top = std::max (top, r.driftSteps);
            bottom = std::min (bottom, r.driftSteps);
        }
        EXPECT_EQ (top, c.top) << c.rate;
        EXPECT_EQ (bottom, c.bottom) << c.rate;
    }
}

// Coasting, as the engine does through silence, must leave the drift exactly where stepping
// sample by sample leaves it, with the same retimes on the way: over minutes of drift, in
// stretches of every length, from a reset and from states no reset gives.
TEST (DrumDrift, CoastingEndsWhereSteppingEnds)
{
    struct Start
    {
        const char* name;
        void (*set) (DrumDrift&);
    };
    const Start starts[] = {
        { "a reset", [] (DrumDrift&) {} },
        { "the drift past its limit", [] (DrumDrift& d) { d.driftTotal = 1.0; } },
        { "the drift below its limit, rising just before the fade turns",
          [] (DrumDrift& d)
          {
              d.driftTotal = -1.0;
              d.driftDirection = -1;
              d.fadePosition = 0.995;
          } },
        { "the fade falling", [] (DrumDrift& d) { d.fadeBank = -1; } },
        { "the jitter falling", [] (DrumDrift& d) { d.jitterDirection = -1; } },
        { "an unknown drift direction", [] (DrumDrift& d) { d.driftDirection = 0; } },
        { "an unknown fade bank", [] (DrumDrift& d) { d.fadeBank = 0; } },
        { "a phase outside its range",
          [] (DrumDrift& d)
          {
              d.jitterPhase = 1.5;
              d.fadePosition = -3.0;
          } },
    };

    for (const double rate : { 22050.0, 44100.0, 48000.0, 96000.0, 192000.0 })
    {
        for (const auto& start : starts)
        {
            const DrumDrift::Rates rates (rate, 10.0 / rate);
            DrumDrift stepped, coasted;
            stepped.reset();
            start.set (stepped);
            coasted = stepped;

            std::vector<std::pair<int, double>> steppedRetimes, coastedRetimes;
            const int total = (int) (30.0 * rate);
            for (int i = 0; i < total; ++i)
                stepped.step (rates, [&] (int bank, double drift) { steppedRetimes.emplace_back (bank, drift); });

            unsigned stretch = 1;
            for (int done = 0; done < total;)
            {
                stretch = stretch * 1103515245u + 12345u;
                const int length = std::min (total - done, (int) (stretch >> 16) % 3000);
                coasted.coast (rates, length,
                               [&] (int bank, double drift) { coastedRetimes.emplace_back (bank, drift); });
                done += length;
            }

            const auto where = std::to_string (rate) + " Hz from " + start.name;
            EXPECT_EQ (coastedRetimes, steppedRetimes) << where;
            EXPECT_EQ (coasted.fadePosition, stepped.fadePosition) << where;
            EXPECT_EQ (coasted.fadeBank, stepped.fadeBank) << where;
            EXPECT_EQ (coasted.driftDirection, stepped.driftDirection) << where;
            EXPECT_EQ (coasted.driftOffset, stepped.driftOffset) << where;
            EXPECT_EQ (coasted.driftTotal, stepped.driftTotal) << where;
            EXPECT_EQ (coasted.jitterPhase, stepped.jitterPhase) << where;
            EXPECT_EQ (coasted.jitterOffset, stepped.jitterOffset) << where;
            EXPECT_EQ (coasted.jitterDirection, stepped.jitterDirection) << where;
        }
    }
}

TEST (DrumDrift, AnUnknownDirectionHoldsTheFade)
{
    DrumDrift drift;
    drift.fadePosition = 0.25;
    drift.driftDirection = 0;
    const auto weights =
        drift.step (DrumDrift::Rates (44100.0, 10.0 / 44100.0), [] (int, double) { FAIL() << "no retime expected"; });
    EXPECT_EQ (drift.fadePosition, 0.25);
    EXPECT_EQ (weights.bank0, 0.625);
    EXPECT_EQ (weights.bank1, 0.375);
}
} // namespace
