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
    followToneControl();

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

void EchoEngine::designToneShelves() noexcept { toneDesignsAsked.fetch_add (1, std::memory_order_release); }

// The tone is read after the request is seen, so it is the value the request was made for or
// a later one.
void EchoEngine::redesignToneShelves() noexcept
{
    toneDesignsMade = toneDesignsAsked.load (std::memory_order_acquire);
    const auto design = makeToneShelf (sampleRate, controls.ftone);
    for (auto& channel : filters)
        channel.toneShelf.setCoefficients (design);
}

bool EchoEngine::holdsOnlyZeros() const noexcept
{
    const auto zero = [] (auto value) { return value == 0; };
    const auto shelfSilent = [] (const ChannelFilters& channel)
    { return channel.toneShelf.active && channel.toneShelf.holdsZero(); };
    return feedbackL == 0.0 && feedbackR == 0.0 && std::all_of (headOutputs.begin(), headOutputs.end(), zero) &&
           fixedFilters.silent() && shelfSilent (filters[0]) && shelfSilent (filters[1]) && headBank.silent();
}
