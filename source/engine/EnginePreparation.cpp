#include "../processor/EchoPluginProcessor.h"

#include <cmath>

void NewProjectAudioProcessor::prepareToPlay (double newSampleRate, int)
{
    // Every delay and filter divides by the rate: one no host can run at leaves the engine
    // as it was prepared before.
    if (! (std::isfinite (newSampleRate) && newSampleRate > 0.0))
        return;

    sampleRate = newSampleRate;
    headBank.setRate (newSampleRate);

    for (auto& channel : filters)
        channel.designFixedFilters (newSampleRate);

    // The tone shelves follow the tone control at the new rate, so a re-preparation (a new
    // rate, a reactivation after loading a project) keeps the tone the panel shows.
    designToneShelves();

    headOutputs.fill (0.0f);
    sampleStep = 10.0 / newSampleRate;
    setDependentParameters();
}

// Restarts the drift and the fade at their midpoint and silences the repeats; echoes already
// on the drum keep sounding.
void NewProjectAudioProcessor::reset()
{
    for (auto& channel : filters)
        channel.reset();

    feedbackL = feedbackR = 0.0;
    drumDrift.reset();
    levelMeter.reset();
}
