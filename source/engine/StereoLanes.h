#pragma once

#include <cmath>
#include <type_traits>

// Both channels' values side by side, channel 1 in lane 0 and channel 2 in lane 1, so one
// instruction does the work of two. Every operation acts on each lane exactly as the same
// operation on a single value does, with the same rounding: a lane carries the bits its
// channel would have on its own.
namespace StereoLanes
{
using Floats = float __attribute__ ((vector_size (8)));
using Doubles = double __attribute__ ((vector_size (16)));

// The same value in every lane.
template <typename Value>
Value broadcast (float x) noexcept
{
    if constexpr (std::is_same_v<Value, float>)
        return x;
    else
        return Value { x, x };
}

inline double toDoubles (float x) noexcept { return x; }
inline Doubles toDoubles (Floats x) noexcept { return __builtin_convertvector(x, Doubles); }
inline float toFloats (double x) noexcept { return (float) x; }
inline Floats toFloats (Doubles x) noexcept { return __builtin_convertvector(x, Floats); }

// std::fma in each lane: rounded once, as the scalar call is (the compiler joins the two into
// one instruction where it may use them).
inline Doubles fma (Doubles a, Doubles b, Doubles c) noexcept
{
    return Doubles { std::fma (a[0], b[0], c[0]), std::fma (a[1], b[1], c[1]) };
}

inline Doubles fma (double a, Doubles b, Doubles c) noexcept { return fma (Doubles { a, a }, b, c); }

// Whether every lane holds zero (of either sign).
inline bool isZero (float x) noexcept { return x == 0.0f; }
inline bool isZero (Floats x) noexcept { return x[0] == 0.0f && x[1] == 0.0f; }

// Keeps a value only beyond +-1e-8; not a number becomes 0 too.
inline float snapToZero (float value) noexcept { return std::abs (value) > 1.0e-8f ? value : 0.0f; }

inline Floats snapToZero (Floats value) noexcept
{
    using Bits = int __attribute__ ((vector_size (8)));
    const Floats magnitude = (Floats) ((Bits) value & 0x7fffffff);
    return magnitude > 1.0e-8f ? value : Floats {};
}
} // namespace StereoLanes
