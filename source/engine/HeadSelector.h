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

// One channel's echo from its heads h[0..3]. The fourth limit is a double just above 1/3;
// beyond the last position the previous repeat comes back.
inline double select (const float* h, float position, double previousFeedback) noexcept
{
    if (position <= 0.083333336f) return h[0];
    if (position <= 0.16666667f) return h[1];
    if (position <= 0.25f) return h[2];
    if ((double) position <= 0.3416666666666666) return h[3];
    if (position <= 0.41666666f) return (h[0] + h[1]) / 1.65f;
    if (position <= 0.5f) return (h[1] + h[2]) / 1.85f;
    if (position <= 0.5833333f) return (h[2] + h[3]) / 1.85f;
    if (position <= 0.6666667f) return (h[0] + h[2]) / 1.85f;
    if (position <= 0.75f) return (h[1] + h[3]) / 1.9f;
    if (position <= 0.8333333f) return ((h[0] + h[1]) + h[2]) / 2.5f;
    if (position <= 0.9166667f) return ((h[1] + h[3]) + h[2]) / 2.7f;
    if (position <= 1.0f) return (((h[0] + h[1]) + h[2]) + h[3]) / 3.4f;
    return previousFeedback;
}

// An arctangent scaled so that no input gives more than 0.625; small signals see about 0.637.
inline double softClip (double echo) noexcept
{
    const float c = atanf ((float) (echo * 1.6));
    return (double) c * 0.625 * 2.0 / 3.141592653589793;
}
} // namespace HeadSelector
