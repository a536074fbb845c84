#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <cstring>

namespace vimbrel::test
{
// A buffer of reproducible noise with a few clicks: it excites every filter and leaves
// audible echoes to compare.
template <typename Sample>
juce::AudioBuffer<Sample> noiseBurst (int numChannels, int numSamples, std::uint32_t seed, float level = 0.5f)
{
    juce::AudioBuffer<Sample> buffer (numChannels, numSamples);
    juce::Random random ((juce::int64) seed);

    for (int channel = 0; channel < numChannels; ++channel)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (channel, i, (Sample) (level * (random.nextFloat() * 2.0f - 1.0f)));

    for (int i = 0; i < numSamples; i += 4000)
        buffer.setSample (0, i, (Sample) 0.9);

    return buffer;
}

template <typename Sample>
bool sameBits (Sample a, Sample b)
{
    return std::memcmp (&a, &b, sizeof (Sample)) == 0;
}

// The first sample (channel, index) where two buffers differ in any bit, or -1.
template <typename Sample>
int firstDifference (const juce::AudioBuffer<Sample>& a, const juce::AudioBuffer<Sample>& b)
{
    for (int channel = 0; channel < a.getNumChannels(); ++channel)
        for (int i = 0; i < a.getNumSamples(); ++i)
            if (! sameBits (a.getSample (channel, i), b.getSample (channel, i)))
                return i;

    return -1;
}
} // namespace vimbrel::test
