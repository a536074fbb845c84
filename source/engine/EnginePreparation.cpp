#include "EchoEngine.h"

#include <algorithm>
#include <cmath>

bool EchoEngine::prepare (double newSampleRate)
{
    // Every delay and filter divides by the rate: one no host can run at leaves the engine
    // as it was prepared before.
    if (! (std::isfinite (newSampleRate) && newSampleRate > 0.0))
        return false;

    sampleRate = newSampleRate;
    headBank.setRate (newSampleRate);

    fixedFilters.design (newSampleRate);

    // The tone shelves follow the tone control at the new rate, so a re-preparation (a new
    // rate, a reactivation after loading a project) keeps the tone the panel shows.
    designToneShelves();

    headOutputs.fill (0.0f);
    sampleStep = 10.0 / newSampleRate;
    return true;
}

void EchoEngine::reset()
{
    fixedFilters.reset();
    for (auto& channel : filters)
        channel.toneShelf.reset();

    feedbackL = feedbackR = 0.0;
    drumDrift.reset();
    levelMeter.reset();
}

void EchoEngine::designToneShelves()
{
    filters[0].toneShelf.setCoefficients (makeToneShelf (sampleRate, controls.ftone));
    filters[1].toneShelf.setCoefficients (makeToneShelf (sampleRate, controls.ftone));
}

bool EchoEngine::holdsOnlyZeros() noexcept
{
    const auto zero = [] (auto value) { return value == 0; };
    return feedbackL == 0.0 && feedbackR == 0.0 && std::all_of (headOutputs.begin(), headOutputs.end(), zero) &&
           fixedFilters.silent() && filters[0].toneShelf.silent() && filters[1].toneShelf.silent() && headBank.silent();
}
