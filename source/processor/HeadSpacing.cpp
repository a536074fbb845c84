#include "EchoPluginProcessor.h"

#include <cmath>
#include <limits>

namespace
{
bool isOn (float flag) noexcept { return KeySlot::choiceIsOn (flag); }

// The drum cannot run from a tempo it cannot divide by: no tempo, a negative one or a value
// that is not a number means the standard 120 BPM, and so does a tempo so small that the
// longest spacing would overflow.
float usableTempo (float bpm) noexcept
{
    if (std::isfinite (bpm) && bpm > 0.0f && std::isfinite (120.0f / bpm))
        return bpm;

    return 120.0f;
}

// Truncates toward zero like a plain cast, but gives a defined answer for any float a host
// may send: not a number counts as 0, values beyond the int range saturate.
int truncateToInt (float value) noexcept
{
    if (std::isnan (value))
        return 0;

    if (value <= (float) std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();

    if (value >= (float) std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();

    return (int) value;
}
} // namespace

void NewProjectAudioProcessor::setDependentParameters()
{
    oversamplingFactor = truncateToInt (OversamplingSlot::stagesOf (foversampling));
    headSpacing = (float) kopafstandbuilder (spareTempo);
}

double NewProjectAudioProcessor::kopafstandbuilder (float)
{
    const bool doubleTime = KeySlot::switchIsOn (fbtn2);

    // Spacing of the beat fraction buttons that are on, tested from the longest to the
    // shortest fraction, so the shortest one that is on wins.
    auto spacingForTempo = [&] (float bpm, double spacing)
    {
        if (isOn (fbtn88))
            spacing = (doubleTime ? 120.0f : 60.0f) / bpm;
        if (isOn (fbtn78))
            spacing = (doubleTime ? 105.0f : 52.5f) / bpm;
        if (isOn (fbtn68))
            spacing = (doubleTime ? 90.0f : 45.0f) / bpm;
        if (isOn (fbtn58))
            spacing = (doubleTime ? 75.0f : 37.5f) / bpm;
        return spacing;
    };

    double spacing = 0.0;

    if (isOn (fbpmhost))
    {
        const float bpm = usableTempo (hostBpm);
        effectiveBpm = bpm;
        spacing = spacingForTempo (bpm, spacing);
    }

    if (isOn (fbpmmanual))
    {
        const float bpm = usableTempo (fbpm);
        effectiveBpm = bpm;
        spacing = spacingForTempo (bpm, spacing);
    }

    if (isOn (fbpmclassic))
    {
        effectiveBpm = 100.0f;
        return doubleTime ? 1.38 : 0.69;
    }

    if (effectiveBpm == 0.0f)
        effectiveBpm = 120.0f;

    return spacing;
}
