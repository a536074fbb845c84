#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>

// A biquad run one sample at a time with the framework filter's exact arithmetic, inlined
// and without a lock. The fixed filters of the echo are designed only at preparation, while
// no block runs, so they need neither the framework's per-call overhead nor its lock.
struct SampleFilter
{
    float c0 = 0.0f, c1 = 0.0f, c2 = 0.0f, c3 = 0.0f, c4 = 0.0f;
    float v1 = 0.0f, v2 = 0.0f;
    bool active = false;

    void setCoefficients (const juce::IIRCoefficients& design) noexcept
    {
        c0 = design.coefficients[0];
        c1 = design.coefficients[1];
        c2 = design.coefficients[2];
        c3 = design.coefficients[3];
        c4 = design.coefficients[4];
        active = true;
    }

    void reset() noexcept { v1 = v2 = 0.0f; }

    // As juce::IIRFilter::processSamples on one sample: an undesigned filter passes the
    // sample through, and the running state (not the output) snaps to zero when tiny.
    float processSample (float in) noexcept
    {
        if (! active)
            return in;

        const float out = c0 * in + v1;
        float next1 = c1 * in - c3 * out + v2;
        float next2 = c2 * in - c4 * out;
        v1 = snapToZero (next1);
        v2 = snapToZero (next2);
        return out;
    }

    // As juce::IIRFilter::processSingleSampleRaw: the output (not the state) snaps to zero.
    float processSampleRaw (float in) noexcept
    {
        const float out = snapToZero (c0 * in + v1);
        v1 = c1 * in - c3 * out + v2;
        v2 = c2 * in - c4 * out;
        return out;
    }

private:
    // Keeps a value only beyond +-1e-8; not a number becomes 0 too.
    static float snapToZero (float value) noexcept { return std::abs (value) > 1.0e-8f ? value : 0.0f; }
};
