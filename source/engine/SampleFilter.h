#pragma once

#include "StereoLanes.h"

#include <juce_audio_basics/juce_audio_basics.h>

// A biquad run one sample at a time with the framework filter's exact arithmetic, inlined
// and without a lock. The fixed filters of the echo are designed only at preparation, while
// no block runs, so they need neither the framework's per-call overhead nor its lock.
// Value is a float, or both channels' floats side by side (StereoLanes::Floats), each channel
// in its lane running the same design with a state of its own.
template <typename Value>
struct Biquad
{
    Value c0 {}, c1 {}, c2 {}, c3 {}, c4 {};
    Value v1 {}, v2 {};
    bool active = false;

    void setCoefficients (const juce::IIRCoefficients& design) noexcept
    {
        c0 = StereoLanes::broadcast<Value> (design.coefficients[0]);
        c1 = StereoLanes::broadcast<Value> (design.coefficients[1]);
        c2 = StereoLanes::broadcast<Value> (design.coefficients[2]);
        c3 = StereoLanes::broadcast<Value> (design.coefficients[3]);
        c4 = StereoLanes::broadcast<Value> (design.coefficients[4]);
        active = true;
    }

    void reset() noexcept { v1 = v2 = Value {}; }

    // Whether the running state is zero, so that zeros in give zeros out.
    bool holdsZero() const noexcept { return StereoLanes::isZero (v1) && StereoLanes::isZero (v2); }

    // As juce::IIRFilter::processSamples on one sample: an undesigned filter passes the
    // sample through, and the running state (not the output) snaps to zero when tiny.
    Value processSample (Value in) noexcept
    {
        if (! active)
            return in;

        const Value out = c0 * in + v1;
        Value next1 = c1 * in - c3 * out + v2;
        Value next2 = c2 * in - c4 * out;
        v1 = StereoLanes::snapToZero (next1);
        v2 = StereoLanes::snapToZero (next2);
        return out;
    }

    // As juce::IIRFilter::processSingleSampleRaw: the output (not the state) snaps to zero.
    Value processSampleRaw (Value in) noexcept
    {
        const Value out = StereoLanes::snapToZero (c0 * in + v1);
        v1 = c1 * in - c3 * out + v2;
        v2 = c2 * in - c4 * out;
        return out;
    }
};

using SampleFilter = Biquad<float>;
using SampleFilterPair = Biquad<StereoLanes::Floats>;
