#pragma once

#include "FilterBank.h"
#include "StereoLanes.h"

#include <array>

// The fixed voicing of the repeats: a presence cut, a 7800 Hz low-pass, a mild tape curve
// (0.875 below 1400 Hz rising to 1.125 above, with a faint polynomial bend), then a 13200 Hz
// low-pass, a 220 Hz high-pass and the tone shelf. The repeat source is taken after the
// tape curve, so the tone control shapes what is heard, not what is repeated.
namespace EchoVoicing
{
// -0.1x^2 + 0.1912x^3 + 0.063x^4 - 0.0075x^5 + 0.00125x^6, from the cubic term, each further
// term added fused as x times the term divided by x. For a double or both channels' doubles.
template <typename Value>
Value tapeCurvePolynomial (Value x) noexcept
{
    using std::fma;
    using StereoLanes::fma;

    Value q = 0.1912f * x * x * x;
    q = fma (-0.1f * x, x, q);
    q = fma (0.063f * x * x * x, x, q);
    q = fma (-0.0075f * x * x * x * x, x, q);
    q = fma (0.00125f * x * x * x * x * x, x, q);
    return q;
}

// The tape curve of one channel (a float and its SampleFilter) or of both side by side; the
// result is also the repeat source.
template <typename Echo>
auto tapeCurve (Echo echo, Biquad<Echo>& highPass) noexcept
{
    using std::fma;
    using StereoLanes::fma;
    using StereoLanes::toDoubles;

    const auto x = toDoubles (echo);
    const Echo h = highPass.processSample (echo);
    const auto shaped = fma ((double) 0.7f, x, toDoubles (0.2f * h));
    return 1.25 * fma ((double) 0.0001525f, tapeCurvePolynomial (x), shaped);
}

// Voices both channels' clipped echoes in place and gives their repeat sources.
inline StereoLanes::Doubles process (StereoLanes::Floats& echo, FixedFilters& filters,
                                     std::array<ChannelFilters, 2>& channels) noexcept
{
    echo = filters.echoPresence.processSample (echo);
    echo = filters.echoLowPass.processSample (echo);

    const auto repeats = tapeCurve (echo, filters.voicingHighPass);
    echo = filters.echoHighPass.processSample (filters.echoTopLowPass.processSample (StereoLanes::toFloats (repeats)));

    for (size_t channel = 0; channel < channels.size(); ++channel)
        echo[channel] = channels[channel].toneShelf.processSample (echo[channel]);

    return repeats;
}
} // namespace EchoVoicing
