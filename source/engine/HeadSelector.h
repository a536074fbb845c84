#pragma once

#include <array>
#include <cmath>

// From four heads to one echo per channel: a level skew that follows the drum drift, the
// twelve-position head selector and a soft clip that bounds the echo to +-0.625.
namespace HeadSelector
{
// Heads 1 and 3 of channel 1 (2 and 4 of channel 2) grow with the drift, the others shrink.
inline void skew (std::array<float, 8>& heads, double driftOffset) noexcept
{
    const double up = std::fma ((double) 0.0051f, driftOffset, 1.0);
    const double down = std::fma ((double) -0.0051f, driftOffset, 1.0);
    const double factors[8] = { up, down, up, down, down, up, down, up };

    for (size_t i = 0; i < heads.size(); ++i)
        heads[i] = (float) (heads[i] * factors[i]);
}

// The selector position (1 to 12, or 13 beyond the last) for a control value: the first whose
// limit the value does not exceed. The fourth limit is a double just above 1/3.
inline int position (float selection) noexcept
{
    if (selection <= 0.083333336f)
        return 1;
    if (selection <= 0.16666667f)
        return 2;
    if (selection <= 0.25f)
        return 3;
    if ((double) selection <= 0.3416666666666666)
        return 4;
    if (selection <= 0.41666666f)
        return 5;
    if (selection <= 0.5f)
        return 6;
    if (selection <= 0.5833333f)
        return 7;
    if (selection <= 0.6666667f)
        return 8;
    if (selection <= 0.75f)
        return 9;
    if (selection <= 0.8333333f)
        return 10;
    if (selection <= 0.9166667f)
        return 11;
    if (selection <= 1.0f)
        return 12;
    return 13;
}

// One channel's echo from its heads h[0..3] at a selector position; beyond the last position
// the previous repeat comes back.
inline double select (const float* h, int position, double previousFeedback) noexcept
{
    switch (position)
    {
        case 1: return h[0];
        case 2: return h[1];
        case 3: return h[2];
        case 4: return h[3];
        case 5: return (h[0] + h[1]) / 1.65f;
        case 6: return (h[1] + h[2]) / 1.85f;
        case 7: return (h[2] + h[3]) / 1.85f;
        case 8: return (h[0] + h[2]) / 1.85f;
        case 9: return (h[1] + h[3]) / 1.9f;
        case 10: return ((h[0] + h[1]) + h[2]) / 2.5f;
        case 11: return ((h[1] + h[3]) + h[2]) / 2.7f;
        case 12: return (((h[0] + h[1]) + h[2]) + h[3]) / 3.4f;
        default: return previousFeedback;
    }
}

// An arctangent scaled so that no input gives more than 0.625; small signals see about 0.637.
inline double softClip (double echo) noexcept
{
    const float c = atanf ((float) (echo * 1.6));
    return (double) c * 0.625 * 2.0 / 3.141592653589793;
}
} // namespace HeadSelector
