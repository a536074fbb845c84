#pragma once

#include "../engine/EchoEngine.h"
#include "../engine/RelaxedAtomic.h"
#include "../model/SlotTable.h"
#include "FactoryPrograms.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

// The plug-in as the host sees it: identity, buses, 22 index-based parameter slots,
// six factory programs, the head spacing that follows tempo and beat fraction, and the
// saved state. It owns the echo engine by value, so nothing is allocated for audio after
// construction.
class NewProjectAudioProcessor : public juce::AudioProcessor
{
public:
    static constexpr int numParameterSlots = Slot::count;
    static constexpr int numPrograms = 6;

    NewProjectAudioProcessor();
    ~NewProjectAudioProcessor() override;

    // The processor is one large heap block, mostly delay lines (see DrumMemory.cpp).
    static void* operator new (std::size_t size);
    static void operator delete (void* block) noexcept;

    //==============================================================================
    const juce::String getName() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;
    double getTailLengthSeconds() const override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    bool hasEditor() const override;
    juce::AudioProcessorEditor* createEditor() override;

    //==============================================================================
    void prepareToPlay (double newSampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void reset() override;

    using juce::AudioProcessor::processBlock;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlock (juce::AudioBuffer<double>& buffer, juce::MidiBuffer& midi) override;

    //==============================================================================
    // Parameter slots 0 to 21.
    using juce::AudioProcessor::getParameterName;
    using juce::AudioProcessor::getParameterText;
    int getNumParameters() override;
    float getParameter (int index) override;
    void setParameter (int index, float value) override;
    const juce::String getParameterName (int index) override;
    const juce::String getParameterText (int index) override;
    float getParameterDefaultValue (int index) override;
    bool isParameterAutomatable (int index) const override;
    // The text a plug-in format derives a slot's identity from: the slot index in the VST3
    // (hosts know a slot by a number made from this text), "p" and the index in the LV2.
    juce::String getParameterID (int index) override;

    // Head spacing and stage count from the current tempo source, beat fraction,
    // double time and oversampling choice.
    void setDependentParameters();
    double kopafstandbuilder (float unused);

    //==============================================================================
    // Factory programs.
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void copyProgram (std::int64_t sourceIndex, std::int64_t destinationIndex);

    //==============================================================================
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    //==============================================================================
    // Parameter fields, in slot-table order, with the values the plug-in starts with (see
    // SlotRows.h for what each slot means to the host). Shared with the engine and the editor.
    RelaxedAtomic<float> finput { 1.0f };
    RelaxedAtomic<float> flenght { 0.5f };
    RelaxedAtomic<float> ftone { 0.5f };
    RelaxedAtomic<float> fvolume { 1.0f };
    RelaxedAtomic<float> fselection { 0.33f };
    RelaxedAtomic<float> fdelayselection { 1.0f / 12.0f };
    RelaxedAtomic<float> levelStep { 0.0f };
    RelaxedAtomic<float> foversampling { 0.0f };
    RelaxedAtomic<float> fbpm { 0.0f };
    RelaxedAtomic<float> fbpmmanual { 0.5f };
    RelaxedAtomic<float> fbpmhost { 1.0f };
    RelaxedAtomic<float> fbpmclassic { 0.0f };
    RelaxedAtomic<float> spareTempo { 0.5f };
    RelaxedAtomic<float> fbtn1 { 0.0f };
    RelaxedAtomic<float> fbtn2 { 0.0f };
    RelaxedAtomic<float> fbtn3 { 0.0f };
    RelaxedAtomic<float> fbtn58 { 0.0f };
    RelaxedAtomic<float> fbtn68 { 0.0f };
    RelaxedAtomic<float> fbtn78 { 0.0f };
    RelaxedAtomic<float> fbtn88 { 1.0f };
    RelaxedAtomic<float> effectiveBpm { 0.0f };
    RelaxedAtomic<float> hostBpm { 120.0f };

    // Values derived from the fields above by setDependentParameters.
    RelaxedAtomic<int> oversamplingFactor { 1 };
    RelaxedAtomic<float> headSpacing { 0.0f };

    // Set by every slot write, whichever thread makes it; the window's timer takes it and
    // refreshes its controls. Host automation writes on the audio thread, which may not post a
    // message: a post takes the message queue's lock, may allocate and writes to a socket.
    std::atomic<bool> slotsChanged { false };

    //==============================================================================
    // The echo, reading the fields above as it runs.
    EchoEngine engine { { finput, flenght, ftone, fvolume, fselection, fdelayselection, fbtn1, fbtn3, headSpacing,
                          oversamplingFactor } };
    juce::AudioPlayHead::CurrentPositionInfo hostPosition;

    //==============================================================================
    std::vector<Vimbrel2FilterProgram> programs;
    RelaxedAtomic<int> curProgram { 0 };
    int test = 0; // 1 once constructed; the saved state writes it as "test", so saved projects carry it

private:
    void takeHostTempo();
    void reportRestoredValues();

    void designToneShelves();
    void applyStateElement (const juce::XmlElement& state);
    void announceParameterValues();

    // Set by setStateInformation, cleared by the next block once it has reported the values.
    std::atomic<bool> restoredValuesToReport { false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NewProjectAudioProcessor)
};
