#include "EchoEngine.h"
#include "HeadSelector.h"
#include "RepeatModes.h"

#include <cmath>
#include <limits>

namespace
{
// Whether the heads hear more than the input: the repeat stage itself is asked what the heads
// get from a silent input while the previous echo and every head still sound. Not a number
// counts as sound, so a setting the stage cannot read keeps the tail infinite.
bool echoReturnsToTheDrum (float selection, float length) noexcept
{
    std::array<float, 8> soundingHeads;
    soundingHeads.fill (1.0f);

    const auto heard =
        RepeatModes::headInputs ({ selection, length, false, false }, 0.0f, 0.0f, 1.0, 1.0, soundingHeads);

    return heard.oddL != 0.0f || heard.evenL != 0.0f || heard.oddR != 0.0f || heard.evenR != 0.0f;
}

// How long the drum holds a sample: the longest head passes it through every stage, each stage
// delaying it by its share of the head's time plus the drift (up to the drift's and the
// jitter's limits and the sample step each overshoots by). A stage can never hold more than
// its ring, and a time it cannot read as one (negative, not a number) counts as the whole ring.
double drumSeconds (float headSpacing, int stages, double sampleRate) noexcept
{
    const double sampleStep = 10.0 / sampleRate; // line time units
    const double driftReach = DrumDrift::driftLimit + DrumDrift::jitterLimit + 2.0 * sampleStep;
    const double stageTime = (headSpacing / (float) stages + driftReach) * HeadBank::headRatios[HeadBank::numHeads - 1];

    double stageSamples = stageTime * sampleRate / 10.0;

    if (! (stageSamples >= 0.0 && stageSamples < (double) DelayRing::length))
        stageSamples = DelayRing::length;

    return stages * (std::ceil (stageSamples) + 1.0) / sampleRate;
}
} // namespace

// Each control is read once, so the answer belongs to one setting even while another thread
// changes them.
double EchoEngine::tailSeconds() const noexcept
{
    constexpr double infinite = std::numeric_limits<double>::infinity();

    if (echoReturnsToTheDrum (controls.fselection, controls.flenght))
        return infinite;

    // Beyond the selector's twelve positions the echo is the previous repeat, which recirculates.
    if (constexpr int lastPosition = 12; HeadSelector::position (controls.fdelayselection) > lastPosition)
        return infinite;

    // With a stage count the drum does not have, the heads hold their last samples.
    const int stages = controls.oversamplingFactor;
    if (stages < 1 || stages > HeadBank::numStages)
        return infinite;

    const double rate = sampleRate;
    if (! (std::isfinite (rate) && rate > 0.0))
        return infinite;

    return drumSeconds (controls.headSpacing, stages, rate) + tailRingOutSeconds;
}
