#include "EchoPluginProcessor.h"

#include "../editor/EchoPluginEditor.h"

#include <cmath>
#include <limits>

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
    startTimer (announcementMilliseconds);
}

NewProjectAudioProcessor::~NewProjectAudioProcessor() { stopTimer(); }

const juce::String NewProjectAudioProcessor::getName() const { return "FHA_Vimbrel2"; }

bool NewProjectAudioProcessor::acceptsMidi() const { return false; }

bool NewProjectAudioProcessor::producesMidi() const { return false; }

bool NewProjectAudioProcessor::isMidiEffect() const { return false; }

// Worked out afresh from the current settings whenever the host asks (the framework's VST3 layer
// asks on every call of the host's own); any thread may ask. Nothing is sent when a setting
// changes the tail: VST3 has no notice for it, and the framework's change notice reaches the
// host only for a latency change (and takes a lock, unfit for the audio thread where automation
// changes the settings).
double NewProjectAudioProcessor::getTailLengthSeconds() const { return engine.tailSeconds(); }

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

void NewProjectAudioProcessor::prepareToPlay (double newSampleRate, int)
{
    if (engine.prepare (newSampleRate))
        setDependentParameters();
}

void NewProjectAudioProcessor::releaseResources() {}

void NewProjectAudioProcessor::reset() { engine.reset(); }

void NewProjectAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    reportValuesWithTheBlock();
    takeHostTempo();
    levelStep = engine.process (buffer, getTotalNumOutputChannels());
}

void NewProjectAudioProcessor::processBlock (juce::AudioBuffer<double>& buffer, juce::MidiBuffer&)
{
    reportValuesWithTheBlock();
    takeHostTempo();
    levelStep = engine.process (buffer, getTotalNumOutputChannels());
}

// The framework's VST3 layer hands what is announced on the audio thread to the host with the
// block's output, its LV2 layer as the block's parameter messages. Nothing is allocated, locked
// by the plug-in or posted.
void NewProjectAudioProcessor::reportValuesWithTheBlock()
{
    if (valuesToReport.exchange (false))
        announceParameterValues();
}

// The host's tempo reaches the delays only when the head spacing is next recomputed. No tempo,
// one below 10 BPM or one that is not a finite number counts as 120.
void NewProjectAudioProcessor::takeHostTempo()
{
    // The whole position, as the framework's older call gives it, is kept for the tempo alone.
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    if (auto* host = getPlayHead())
        host->getCurrentPosition (hostPosition);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    if (const double bpm = hostPosition.bpm; bpm != (double) hostBpm)
        hostBpm = std::abs (bpm) <= std::numeric_limits<float>::max() ? (float) bpm : 120.0f;

    if (! (hostBpm >= 10.0f && std::isfinite (hostBpm)))
        hostBpm = 120.0f;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter() { return new NewProjectAudioProcessor(); }
