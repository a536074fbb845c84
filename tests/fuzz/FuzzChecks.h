#pragma once

#include "HostPreparation.h"
#include "processor/EchoPluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// libFuzzer's entry point: one input per call.
extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size);

namespace vimbrel::fuzz
{
// A finding: says what broke and aborts, so that libFuzzer keeps the input that did it.
[[noreturn]] inline void fail (const char* what)
{
    std::fprintf (stderr, "\n*** %s\n", what);
    std::abort();
}

// Every sample of the first numChannels channels is a finite number.
template <typename Sample>
void requireFiniteOutput (const juce::AudioBuffer<Sample>& buffer, int numChannels, const char* what)
{
    for (int channel = 0; channel < numChannels; ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            if (! std::isfinite (buffer.getSample (channel, i)))
                fail (what);
}

// The processor an input plays with, as a host has it before it loads a project: its buses for
// one or two channels, prepared at a rate and a largest block, every slot at the value it
// starts with. Building one costs far more than most inputs (tens of megabytes of delay
// lines), so it is kept from one input to the next with its settings put back; only the sound
// still on the drum carries over, and an input after which that may not be finite discards it.
class ProcessorForInput
{
public:
    ProcessorForInput (double sampleRate, int numChannels, int maxBlock)
    {
        auto& kept = keptProcessor();

        if (kept == nullptr)
        {
            kept = std::make_unique<NewProjectAudioProcessor>();
            kept->getStateInformation (startingState());
        }

        kept->setStateInformation (startingState().getData(), (int) startingState().getSize());
        JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
        for (int slot = 0; slot < NewProjectAudioProcessor::numParameterSlots; ++slot)
            kept->setParameter (slot, kept->getParameterDefaultValue (slot));
        JUCE_END_IGNORE_WARNINGS_GCC_LIKE

        // A rate no host can run at leaves the preparation as it was: make that the same one
        // for every input.
        kept->prepareToPlay (48000.0, maxBlock);
        hostsim::prepareLikeHost (*kept, sampleRate, numChannels, {}, maxBlock);
        kept->reset();
    }

    ~ProcessorForInput()
    {
        if (mayHoldNonFiniteSound)
            keptProcessor().reset();
    }

    NewProjectAudioProcessor* operator->() const { return keptProcessor().get(); }
    NewProjectAudioProcessor& operator*() const { return *keptProcessor(); }

    // After a value no host sends, or a non-finite block, the next input gets a new processor.
    bool mayHoldNonFiniteSound = false;

private:
    static std::unique_ptr<NewProjectAudioProcessor>& keptProcessor()
    {
        static std::unique_ptr<NewProjectAudioProcessor> processor;
        return processor;
    }

    static juce::MemoryBlock& startingState()
    {
        static juce::MemoryBlock state;
        return state;
    }
};
} // namespace vimbrel::fuzz
