#pragma once

#include <array>
#include <cmath>

// What the heads hear, by the three-position Selection switch: the shaped input alone, the
// input plus the previous sample's echo scaled by Lenght (crossed between the channels by
// the stereo-feedback buttons), or in the swell setting a stronger repeat plus a tenth of a
// cross-mix of the heads.
namespace RepeatModes
{
struct HeadInputs
{
    float oddL, evenL, oddR, evenR; // heads 1 and 3, heads 2 and 4, per channel
};

struct Settings
{
    float selection, length;
    bool crossOddHeads;  // Stereo feedback 2
    bool crossEvenHeads; // Stereo feedback 1
};

inline HeadInputs headInputs (const Settings& settings, float tL, float tR, double feedbackL, double feedbackR,
                              const std::array<float, 8>& headOutputs) noexcept
{
    if (settings.selection <= 0.34f)
        return { tL, tL, tR, tR };

    if (settings.selection <= 0.67f)
    {
        const double a = settings.length * feedbackL * 2.5;
        const double b = settings.length * feedbackR * 2.5;
        const float ownL = (float) (tL + a), ownR = (float) (tR + b);
        const float crossedL = (float) (tL + b), crossedR = (float) (tR + a);

        return { settings.crossOddHeads ? crossedL : ownL, settings.crossEvenHeads ? crossedL : ownL,
                 settings.crossOddHeads ? crossedR : ownR, settings.crossEvenHeads ? crossedR : ownR };
    }

    const double swellL = std::fma (settings.length * feedbackL, 2.3, (double) tL);
    const double swellR = std::fma (settings.length * feedbackR, 2.3, (double) tR);

    const auto& h = headOutputs; // channel 1's heads 1..4, then channel 2's
    const float cross1 = ((h[3] + h[6]) + h[1]) + h[4];
    const float cross2 = ((h[7] + h[2]) + h[5]) + h[0];
    const float inL = std::fma (cross1 * 0.4f, 0.25f, (float) swellL);
    const float inR = std::fma (cross2 * 0.4f, 0.25f, (float) swellR);

    return { inL, inL, inR, inR };
}
} // namespace RepeatModes
