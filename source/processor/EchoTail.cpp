#include "EchoTail.h"

#include "../engine/DrumDrift.h"
#include "../engine/HeadBank.h"
#include "../engine/HeadSelector.h"
#include "../engine/RepeatModes.h"

#include <cmath>
#include <limits>

namespace EchoTail
{
namespace
{
// Whether the heads hear more than the input: the repeat stage itself is asked what the heads
// get from a silent input while the previous echo and every head still sound. Not a number
// counts as sound, so a setting the stage cannot read keeps the tail infinite.
bool echoReturnsToTheDrum (const Settings& settings) noexcept
{
    std::array<float, 8> soundingHeads;
    soundingHeads.fill (1.0f);

    const auto heard = RepeatModes::headInputs ({ settings.selection, settings.length, false, false }, 0.0f, 0.0f, 1.0,
                                                1.0, soundingHeads);

    return heard.oddL != 0.0f || heard.evenL != 0.0f || heard.oddR != 0.0f || heard.evenR != 0.0f;
}

// How long the drum holds a sample: the longest head passes it through every stage, each stage
// delaying it by its share of the head's time plus the drift (up to the drift's and the
// jitter's limits and the sample step each overshoots by). A stage can never hold more than
// its ring, and a time it cannot read as one (negative, not a number) counts as the whole ring.
double drumSeconds (const Settings& settings) noexcept
{
    const DrumDrift drift;
    const double sampleStep = 10.0 / settings.sampleRate; // line time units
    const double driftLimit = drift.driftLimit + drift.jitterLimit + 2.0 * sampleStep;
    const double stageTime =
        (settings.headSpacing / (float) settings.stages + driftLimit) * HeadBank::headRatios[HeadBank::numHeads - 1];

    double stageSamples = stageTime * settings.sampleRate / 10.0;

    if (! (stageSamples >= 0.0 && stageSamples < (double) DelayRing::length))
        stageSamples = DelayRing::length;

    return settings.stages * (std::ceil (stageSamples) + 1.0) / settings.sampleRate;
}
} // namespace

// After the longest head the echo still passes the voicing filters, and the dry path the record
// stage's: all of them ring for milliseconds (the slowest, the 220 Hz high-pass, falls by 180 dB
// within 25 ms), and the fade between the drum's two banks only moves between delays a few
// samples apart. Half a second covers all of it many times over.
double seconds (const Settings& settings) noexcept
{
    constexpr double infinite = std::numeric_limits<double>::infinity();

    if (echoReturnsToTheDrum (settings))
        return infinite;

    // Beyond the selector's twelve positions the echo is the previous repeat, which recirculates.
    if (constexpr int lastPosition = 12; HeadSelector::position (settings.delaySelection) > lastPosition)
        return infinite;

    // With a stage count the drum does not have, the heads hold their last samples.
    if (settings.stages < 1 || settings.stages > HeadBank::numStages)
        return infinite;

    if (! (std::isfinite (settings.sampleRate) && settings.sampleRate > 0.0))
        return infinite;

    return drumSeconds (settings) + ringOutSeconds;
}
} // namespace EchoTail
