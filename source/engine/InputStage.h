#pragma once

#include "FilterBank.h"
#include "StereoLanes.h"

// The record stage: input gain, a low shelf, a polynomial saturator with a gain of two and a
// cut of about 8 dB around 1500 Hz. Without a stereo-feedback button the input is summed
// to mono and only channel 1's shelf runs.
namespace InputStage
{
// y = 2x + 0.016571 * (0.4x^2 + 0.4x^3 + 0.18x^4 + 0.05x^5 + 0.04x^6 + 0.02x^7), built up from
// the lowest term, each higher one added fused as x times the term divided by x. For a double
// or both channels' doubles.
template <typename Value>
Value saturate (Value x) noexcept
{
    using std::fma;
    using StereoLanes::fma;

    Value p = 0.4f * x * x;
    p = fma (0.4f * x * x, x, p);
    p = fma (0.18f * x * x * x, x, p);
    p = fma (0.05f * x * x * x * x, x, p);
    p = fma (0.04f * x * x * x * x * x, x, p);
    p = fma (0.02f * x * x * x * x * x * x, x, p);
    return fma ((double) 0.016571f, p, x) + x;
}

struct Output
{
    StereoLanes::Doubles y; // saturated input, for the dry path of the output mix
    StereoLanes::Floats t;  // shaped input, for the heads
};

inline Output process (float left, float right, float inputVolume, bool stereoInput, FixedFilters& filters) noexcept
{
    using namespace StereoLanes;

    Floats shelved;

    if (stereoInput)
    {
        shelved = filters.inputShelf.processSampleRaw (Floats { left * inputVolume, right * inputVolume });
    }
    else
    {
        // Channel 2's shelf keeps its state for when a button brings stereo back.
        const Floats v1 = filters.inputShelf.v1, v2 = filters.inputShelf.v2;
        const float mono = (left + right) * 0.5f * inputVolume;
        const float channel1 = filters.inputShelf.processSampleRaw (Floats { mono, mono })[0];
        filters.inputShelf.v1[1] = v1[1];
        filters.inputShelf.v2[1] = v2[1];
        shelved = Floats { channel1, channel1 };
    }

    Output out;
    out.y = saturate (toDoubles (shelved));
    out.t = filters.inputNotch.processSample (toFloats (out.y));
    return out;
}
} // namespace InputStage
