#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <cstring>
#include <random>

// The signals the tests play through the echo, and how they compare what comes out.
namespace vimbrel::test
{
// Fills every channel, one after the other, with uniform noise between -level and level.
template <typename Sample>
void fillWithNoise (juce::AudioBuffer<Sample>& buffer, juce::Random& random, float level = 1.0f)
{
    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample (channel, i, (Sample) (level * (random.nextFloat() * 2.0f - 1.0f)));
}

// A buffer of reproducible noise with a few clicks: it excites every filter and leaves
// audible echoes to compare.
template <typename Sample>
juce::AudioBuffer<Sample> noiseBurst (int numChannels, int numSamples, std::uint32_t seed, float level = 0.5f)
{
    juce::AudioBuffer<Sample> buffer (numChannels, numSamples);
    juce::Random random ((juce::int64) seed);
    fillWithNoise (buffer, random, level);

    for (int i = 0; i < numSamples; i += 4000)
        buffer.setSample (0, i, (Sample) 0.9);

    return buffer;
}

// The inputs validators feed.
enum class Signal
{
    silence,
    noise,
    fullScale, // a square wave between -1 and 1
    dc
};

inline const char* nameOf (Signal signal)
{
    switch (signal)
    {
        case Signal::silence: return "silence";
        case Signal::noise: return "noise";
        case Signal::fullScale: return "full scale";
        case Signal::dc: return "DC";
    }
    return "?";
}

// Each signal in turn; the silence at the end hears the echoes of the loud ones die away.
inline constexpr Signal signalsInTurn[] = { Signal::silence, Signal::noise, Signal::fullScale, Signal::dc,
                                            Signal::silence };

template <typename Sample>
void fill (juce::AudioBuffer<Sample>& buffer, Signal signal, std::mt19937& random, juce::int64 position)
{
    std::uniform_real_distribution<float> noise (-1.0f, 1.0f);

    for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            Sample value = 0;
            switch (signal)
            {
                case Signal::silence: break;
                case Signal::noise: value = (Sample) noise (random); break;
                case Signal::fullScale: value = ((position + i) / 50) % 2 == 0 ? (Sample) 1 : (Sample) -1; break;
                case Signal::dc: value = (Sample) 1; break;
            }
            buffer.setSample (channel, i, value);
        }
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
