#pragma once

#include "FilterBank.h"

#include <cmath>

// The record stage: input gain, a low shelf, a polynomial saturator with a gain of two and a
// cut of about 8 dB around 1500 Hz. Without a stereo-feedback button the input is summed
// to mono and only channel 1's shelf runs.
namespace InputStage
{
// y = 2x + 0.016571 * (0.4x^2 + 0.4x^3 + 0.18x^4 + 0.05x^5 + 0.04x^6 + 0.02x^7), built up from
// the lowest term, each higher one added fused as x times the term divided by x.
inline double saturate (double x) noexcept
{
    double p = 0.4f * x * x;
    p = std::fma (0.4f * x * x, x, p);
    p = std::fma (0.18f * x * x * x, x, p);
    p = std::fma (0.05f * x * x * x * x, x, p);
    p = std::fma (0.04f * x * x * x * x * x, x, p);
    p = std::fma (0.02f * x * x * x * x * x * x, x, p);
    return std::fma ((double) 0.016571f, p, x) + x;
}

struct Output
{
    double yL, yR; // saturated input, for the dry path of the output mix
    float tL, tR;  // shaped input, for the heads
};

inline Output process (float left, float right, float inputVolume, bool stereoInput, ChannelFilters& channel1,
                       ChannelFilters& channel2) noexcept
{
    Output out;

    if (stereoInput)
    {
        out.yL = saturate (channel1.inputShelf.processSampleRaw (left * inputVolume));
        out.yR = saturate (channel2.inputShelf.processSampleRaw (right * inputVolume));
    }
    else
    {
        out.yL = out.yR = saturate (channel1.inputShelf.processSampleRaw ((left + right) * 0.5f * inputVolume));
    }

    out.tL = channel1.inputNotch.processSample ((float) out.yL);
    out.tR = channel2.inputNotch.processSample ((float) out.yR);
    return out;
}
} // namespace InputStage
