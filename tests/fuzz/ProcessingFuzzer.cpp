// Plays a host's session from the input's bytes: the channel count, rate and precision, then a
// sequence of slot writes, program changes, tempo changes, resets and blocks of any size from
// 0 to the largest announced, holding silence, noise, full scale, a steady level, an impulse
// or the input's own samples. The plug-in must not crash or read outside its memory, and as
// long as every slot holds a value a host can write (0 to 1), its output stays finite.

#include "FixedTempoPlayHead.h"
#include "FuzzChecks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace
{
constexpr int largestBlock = 8192;

// Bounds the audio one input plays (about three seconds at 48 kHz), so that no input of the
// largest size takes as long as the fuzzer's hang timeout.
constexpr int framesPerInput = 1 << 17;

enum class Step
{
    writeSlot,
    writeHostileValue,
    changeProgram,
    changeTempo,
    reset,
    playBlock,
    kMaxValue = playBlock // the name FuzzedDataProvider::ConsumeEnum looks for
};

// Rates hosts use, the odd ones conformance checkers try, and rates no host can run at.
constexpr std::array<double, 14> rates { 22050.0,   44100.0,   48000.0,   88200.0, 96000.0, 192000.0, 384000.0,
                                         1234.5678, 12345.678, 123456.78, 8000.0,  0.0,     -44100.0, 1.0e12 };

template <typename Sample>
void fill (juce::AudioBuffer<Sample>& block, FuzzedDataProvider& input)
{
    const float level = input.ConsumeFloatingPointInRange (0.0f, 2.0f);
    const int numSamples = block.getNumSamples();

    switch (input.ConsumeIntegralInRange (0, 5))
    {
        case 0: block.clear(); break;
        case 1:
        {
            juce::Random random (input.ConsumeIntegral<std::int64_t>());
            for (int channel = 0; channel < block.getNumChannels(); ++channel)
                for (int i = 0; i < numSamples; ++i)
                    block.setSample (channel, i, (Sample) (level * (random.nextFloat() * 2.0f - 1.0f)));
            break;
        }
        case 2:
            for (int channel = 0; channel < block.getNumChannels(); ++channel)
                for (int i = 0; i < numSamples; ++i)
                    block.setSample (channel, i, (Sample) ((i / 64) % 2 == 0 ? 1.0f : -1.0f));
            break;
        case 3:
            for (int channel = 0; channel < block.getNumChannels(); ++channel)
                juce::FloatVectorOperations::fill (block.getWritePointer (channel), (Sample) level, numSamples);
            break;
        case 4:
            block.clear();
            if (numSamples > 0)
                for (int channel = 0; channel < block.getNumChannels(); ++channel)
                    block.setSample (channel, 0, (Sample) level);
            break;
        default:
            for (int channel = 0; channel < block.getNumChannels(); ++channel)
                for (int i = 0; i < numSamples; ++i)
                    block.setSample (channel, i, (Sample) (level * input.ConsumeIntegral<std::int16_t>() / 32768.0f));
            break;
    }
}

template <typename Sample>
bool playBlock (NewProjectAudioProcessor& processor, juce::AudioBuffer<Sample>& storage, int numChannels,
                FuzzedDataProvider& input, int& framesPlayed)
{
    juce::AudioBuffer<Sample> block (storage.getArrayOfWritePointers(), numChannels,
                                     input.ConsumeIntegralInRange (0, largestBlock));
    fill (block, input);
    framesPlayed += block.getNumSamples();

    juce::MidiBuffer midi;
    processor.processBlock (block, midi);

    for (int channel = 0; channel < numChannels; ++channel)
        for (int i = 0; i < block.getNumSamples(); ++i)
            if (! std::isfinite (block.getSample (channel, i)))
                return false;

    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input (data, size);

    const int numChannels = input.ConsumeBool() ? 2 : 1;
    const double rate = input.PickValueInArray (rates);
    const bool doublePrecision = input.ConsumeBool();

    vimbrel::fuzz::ProcessorForInput processor (rate, numChannels, largestBlock);
    processor->setProcessingPrecision (doublePrecision ? juce::AudioProcessor::doublePrecision
                                                       : juce::AudioProcessor::singlePrecision);

    vimbrel::hostsim::FixedTempoPlayHead playHead;
    processor->setPlayHead (&playHead);

    static juce::AudioBuffer<float> floatStorage (2, largestBlock);
    static juce::AudioBuffer<double> doubleStorage (2, largestBlock);

    // A value outside 0 to 1 is not something a host sends; after one, only safety is owed.
    bool owesFiniteOutput = true;

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    int framesPlayed = 0;
    while (input.remaining_bytes() > 0 && framesPlayed < framesPerInput)
    {
        switch (input.ConsumeEnum<Step>())
        {
            case Step::writeSlot:
            {
                // Out-of-range indices too: a host may send any.
                const int slot = input.ConsumeIntegralInRange (-1, NewProjectAudioProcessor::numParameterSlots);
                processor->setParameter (slot, input.ConsumeProbability<float>());
                break;
            }
            case Step::writeHostileValue:
            {
                const int slot = input.ConsumeIntegralInRange (-1, NewProjectAudioProcessor::numParameterSlots);
                processor->setParameter (slot, input.ConsumeFloatingPoint<float>());
                owesFiniteOutput = false;
                processor.mayHoldNonFiniteSound = true;
                break;
            }
            case Step::changeProgram:
                processor->setCurrentProgram (input.ConsumeIntegralInRange (-1, NewProjectAudioProcessor::numPrograms));
                break;
            case Step::changeTempo:
                // Mostly a tempo a transport can have; sometimes any number at all, which the
                // plug-in must survive as well.
                playHead.bpm = input.ConsumeBool() ? input.ConsumeFloatingPointInRange (0.0, 1000.0)
                                                   : input.ConsumeFloatingPoint<double>();
                break;
            case Step::reset: processor->reset(); break;
            case Step::playBlock:
            {
                const bool finite = doublePrecision
                                        ? playBlock (*processor, doubleStorage, numChannels, input, framesPlayed)
                                        : playBlock (*processor, floatStorage, numChannels, input, framesPlayed);
                if (owesFiniteOutput && ! finite)
                    vimbrel::fuzz::fail ("the output became non-finite with every slot in the host's range");
                break;
            }
        }
    }
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    processor->setPlayHead (nullptr);
    return 0;
}
