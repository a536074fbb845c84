#include "../processor/EchoPluginProcessor.h"

// The echo engine is not built yet: blocks pass through untouched.
void NewProjectAudioProcessor::processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&)
{
}

void NewProjectAudioProcessor::processBlock (juce::AudioBuffer<double>&, juce::MidiBuffer&)
{
}
