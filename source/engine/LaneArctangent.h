#pragma once

#include "StereoLanes.h"

#include <cmath>

// The arctangent in both lanes at once, giving in each lane exactly the bits the system maths
// library's atanf gives for that value (every float input, not a number included; the unit
// tests try all of them). It is that routine's own arithmetic in the same order: the magnitude
// is brought into [-7/16, 7/16] around 0, 1/2, 1, 3/2 or infinity, an odd polynomial in the
// reduced value is evaluated in float, and the tabled arctangent of the centre is added in a
// high and a low part. Each lane takes its range by selection instead of a branch; one
// division serves every range (no reduction divides by 1, which is exact).
namespace StereoLanes
{
inline float atan (float x) noexcept { return atanf (x); }

inline Floats atan (Floats x) noexcept
{
    using Bits = int __attribute__ ((vector_size (8)));
    const Floats one { 1.0f, 1.0f };
    const Bits bits = (Bits) x;
    const Bits magnitudeBits = bits & 0x7fffffff;
    const Floats a = (Floats) magnitudeBits;

    const Bits belowSevenSixteenths = magnitudeBits < 0x3ee00000;
    const Bits belowElevenSixteenths = magnitudeBits < 0x3f300000;
    const Bits belowNineteenSixteenths = magnitudeBits < 0x3f980000;
    const Bits belowThirtyNineSixteenths = magnitudeBits < 0x401c0000;

    // (2a - 1) / (2 + a), (a - 1) / (a + 1), (a - 1.5) / (1 + 1.5a) or -1 / a.
    Floats numerator = belowThirtyNineSixteenths ? a - 1.5f : -one;
    Floats denominator = belowThirtyNineSixteenths ? a * 1.5f + 1.0f : a;
    numerator = belowNineteenSixteenths ? a - 1.0f : numerator;
    denominator = belowNineteenSixteenths ? a + 1.0f : denominator;
    numerator = belowElevenSixteenths ? (a + a) - 1.0f : numerator;
    denominator = belowElevenSixteenths ? a + 2.0f : denominator;
    numerator = belowSevenSixteenths ? a : numerator;
    denominator = belowSevenSixteenths ? one : denominator;

    // atan of 1/2, 1, 3/2 and infinity, split into a float and the float of what it leaves.
    Floats high = belowThirtyNineSixteenths ? Floats { 9.8279368877e-01f, 9.8279368877e-01f }
                                            : Floats { 1.5707962513e+00f, 1.5707962513e+00f };
    Floats low = belowThirtyNineSixteenths ? Floats { 3.4473217170e-08f, 3.4473217170e-08f }
                                           : Floats { 7.5497894159e-08f, 7.5497894159e-08f };
    high = belowNineteenSixteenths ? Floats { 7.8539812565e-01f, 7.8539812565e-01f } : high;
    low = belowNineteenSixteenths ? Floats { 3.7748947079e-08f, 3.7748947079e-08f } : low;
    high = belowElevenSixteenths ? Floats { 4.6364760399e-01f, 4.6364760399e-01f } : high;
    low = belowElevenSixteenths ? Floats { 5.0121582440e-09f, 5.0121582440e-09f } : low;
    high = belowSevenSixteenths ? Floats {} : high;
    low = belowSevenSixteenths ? Floats {} : low;

    const Floats t = numerator / denominator;
    const Floats z = t * t;
    const Floats w = z * z;
    const Floats odd =
        z * (3.3333334327e-01f +
             w * (1.4285714924e-01f +
                  w * (9.0908870101e-02f + w * (6.6610731184e-02f + w * (4.9768779427e-02f + w * 1.6285819933e-02f)))));
    const Floats even =
        w * (-2.0000000298e-01f +
             w * (-1.1111110449e-01f + w * (-7.6918758452e-02f + w * (-5.8335702866e-02f + w * -3.6531571299e-02f))));
    const Floats magnitude = high - ((t * (odd + even) - low) - t);

    const Bits sign = bits & (int) 0x80000000;
    Floats result = (Floats) ((Bits) magnitude ^ sign);
    // Below 2^-29 the value is its own arctangent; from 2^25 on the float nearest pi/2 is reached.
    result = magnitudeBits < 0x31000000 ? x : result;
    const Floats halfPi = 7.5497894159e-08f + Floats { 1.5707962513e+00f, 1.5707962513e+00f };
    result = magnitudeBits >= 0x4c000000 ? (Floats) ((Bits) halfPi ^ sign) : result;
    return magnitudeBits > 0x7f800000 ? x + x : result;
}
} // namespace StereoLanes
