#pragma once

#include "FilterBank.h"

#include <cmath>

// The fixed voicing of the repeats: a presence cut, a 7800 Hz low-pass, a mild tape curve
// (0.875 below 1400 Hz rising to 1.125 above, with a faint polynomial bend), then a 13200 Hz
// low-pass, a 220 Hz high-pass and the tone shelf. The repeat source is taken after the
// tape curve, so the tone control shapes what is heard, not what is repeated.
namespace EchoVoicing
{
// -0.1x^2 + 0.1912x^3 + 0.063x^4 - 0.0075x^5 + 0.00125x^6, from the cubic term, each further
// term added fused as x times the term divided by x.
inline double tapeCurvePolynomial (double x) noexcept
{
    double q = 0.1912f * x * x * x;
    q = std::fma (-0.1f * x, x, q);
    q = std::fma (0.063f * x * x * x, x, q);
    q = std::fma (-0.0075f * x * x * x * x, x, q);
    q = std::fma (0.00125f * x * x * x * x * x, x, q);
    return q;
}

// The tape curve of one channel; the result is also that channel's repeat source.
inline double tapeCurve (float echo, SampleFilter& highPass) noexcept
{
    const double x = echo;
    const float h = highPass.processSample (echo);
    const double shaped = std::fma ((double) 0.7f, x, (double) (0.2f * h));
    return 1.25 * std::fma ((double) 0.0001525f, tapeCurvePolynomial (x), shaped);
}

// Voices both channels' clipped echoes in place and leaves their repeat sources behind.
inline void process (float& w, float& v, double& feedbackL, double& feedbackR, ChannelFilters& channel1,
                     ChannelFilters& channel2) noexcept
{
    w = channel1.echoPresence.processSample (w);
    v = channel2.echoPresence.processSample (v);
    w = channel1.echoLowPass.processSample (w);
    v = channel2.echoLowPass.processSample (v);

    feedbackL = tapeCurve (w, channel1.voicingHighPass);
    w = channel1.echoHighPass.processSample (channel1.echoTopLowPass.processSample ((float) feedbackL));

    feedbackR = tapeCurve (v, channel2.voicingHighPass);
    v = channel2.echoHighPass.processSample (channel2.echoTopLowPass.processSample ((float) feedbackR));

    channel1.toneShelf.processSamples (&w, 1);
    channel2.toneShelf.processSamples (&v, 1);
}
} // namespace EchoVoicing
