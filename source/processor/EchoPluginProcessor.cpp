#include "EchoPluginProcessor.h"

#include "../editor/EchoPluginEditor.h"

NewProjectAudioProcessor::NewProjectAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    reset();
    programs = makeFactoryPrograms();
    curProgram = 0;
    test = 1;
    setDependentParameters();
}

NewProjectAudioProcessor::~NewProjectAudioProcessor() = default;

const juce::String NewProjectAudioProcessor::getName() const { return "FHA_Vimbrel2"; }

bool NewProjectAudioProcessor::acceptsMidi() const { return false; }

bool NewProjectAudioProcessor::producesMidi() const { return false; }

bool NewProjectAudioProcessor::isMidiEffect() const { return false; }

double NewProjectAudioProcessor::getTailLengthSeconds() const { return 0.0; }

bool NewProjectAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    if (layouts.getMainInputChannelSet() != layouts.getMainOutputChannelSet())
        return false;

    if (layouts.inputBuses.size() != 1)
        return false;

    const auto channels = layouts.inputBuses.getReference (0).size();
    return channels == 1 || channels == 2;
}

bool NewProjectAudioProcessor::hasEditor() const { return true; }

juce::AudioProcessorEditor* NewProjectAudioProcessor::createEditor()
{
    return new NewProjectAudioProcessorEditor (this);
}

void NewProjectAudioProcessor::releaseResources() {}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter() { return new NewProjectAudioProcessor(); }
