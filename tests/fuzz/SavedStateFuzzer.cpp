// Loads any bytes as a saved state, as a host does when it opens a project, then plays a block
// and saves. A damaged state may be ignored or partly applied, but the plug-in must neither
// crash nor read outside what it was given, keep its sound finite, and save a state that
// comes back as exactly itself.

#include "FuzzChecks.h"

#include <cstddef>
#include <cstdint>

namespace
{
constexpr int blockSize = 512;

template <typename Sample>
void playNoise (NewProjectAudioProcessor& processor, juce::AudioBuffer<Sample>& buffer)
{
    juce::Random random (1);
    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (channel, i, (Sample) (random.nextFloat() * 2.0f - 1.0f));

    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);
}

bool valuesInHostRange (NewProjectAudioProcessor& processor)
{
    for (int slot = 0; slot < NewProjectAudioProcessor::numParameterSlots; ++slot)
        if (const float value = processor.getParameter (slot); ! (value >= 0.0f && value <= 1.0f))
            return false;

    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size > (std::size_t) std::numeric_limits<int>::max())
        return -1;

    vimbrel::fuzz::ProcessorForInput processor (48000.0, 2, blockSize);
    processor->setStateInformation (data, (int) size);

    // A state can carry numbers no host would write; only settings a host could have made
    // owe a finite sound.
    const bool sane = valuesInHostRange (*processor);
    processor.mayHoldNonFiniteSound = ! sane;

    juce::AudioBuffer<float> buffer (2, blockSize);
    playNoise (*processor, buffer);
    if (sane)
        vimbrel::fuzz::requireFiniteOutput (buffer, 2, "a restored state made the output non-finite");

    juce::MemoryBlock saved;
    processor->getStateInformation (saved);

    // What was saved restores every value it holds: a second save is the same bytes.
    processor->setStateInformation (saved.getData(), (int) saved.getSize());
    juce::MemoryBlock savedAgain;
    processor->getStateInformation (savedAgain);

    if (saved != savedAgain)
        vimbrel::fuzz::fail ("a saved state did not come back as itself");

    return 0;
}
