#include "../processor/EchoPluginProcessor.h"

void NewProjectAudioProcessor::prepareToPlay (double newSampleRate, int)
{
    sampleRate = newSampleRate;
    setDependentParameters();
}

void NewProjectAudioProcessor::reset()
{
    for (auto& channel : filters)
        channel.reset();
}
