#pragma once

#include <cmath>

// The Volume control's mix of the processed signal (echo plus saturated input) with the
// untouched input. The processed signal is weighted by Volume, the input by 1 - Volume, so
// at Volume 0 the input passes bit for bit, also in the double-precision entry.
namespace OutputMix
{
struct Processed
{
    float channel1, channel2;
};

// Without a stereo-feedback button both channels carry channel 2's echo.
inline Processed processed (float w, float v, double yL, double yR, float volume, float inputVolume,
                            bool stereoInput) noexcept
{
    const float channel2 = std::fma (volume, v, (float) (yR * inputVolume));
    const float channel1 = stereoInput ? volume * w + (float) (yL * inputVolume) : channel2;
    return { channel1, channel2 };
}

inline float blend (float volume, float processed, float dry) noexcept
{
    return std::fma (volume, processed, (1.0f - volume) * dry);
}

// The 64-bit entry weighs its own input in double precision.
inline double blend (float volume, float processed, double dry) noexcept
{
    return (double) (volume * processed) + (1.0 - volume) * dry;
}

// One output channel: both processed channels, halved.
inline float blendMono (float volume, Processed p, float dry) noexcept
{
    return std::fma (volume * 0.5f, p.channel1 + p.channel2, (1.0f - volume) * dry);
}

inline double blendMono (float volume, Processed p, double dry) noexcept
{
    return (double) (volume * 0.5f * (p.channel1 + p.channel2)) + (1.0 - volume) * dry;
}

// The level meter's view of channel 1's output: the processed signal fused onto the
// weighted sample just written.
template <typename Sample>
Sample meterValue (float volume, float processed1, Sample written) noexcept
{
    return std::fma ((Sample) volume, (Sample) processed1, ((Sample) 1 - (Sample) volume) * written);
}
} // namespace OutputMix
