#pragma once

#include "SampleFilter.h"

#include <algorithm>
#include <array>

// The seven fixed biquads of the echo, by their role in the signal path, each running both
// channels side by side on one design. They are designed only at preparation.
struct FixedFilters
{
    SampleFilterPair inputShelf;      // record stage, before the saturator
    SampleFilterPair inputNotch;      // record stage, after the saturator
    SampleFilterPair echoPresence;    // voicing, first filter
    SampleFilterPair echoLowPass;     // voicing, second filter
    SampleFilterPair voicingHighPass; // side branch of the tape curve
    SampleFilterPair echoTopLowPass;  // voicing, after the tape curve
    SampleFilterPair echoHighPass;    // voicing, after the top low-pass

    // Designs the filters for a sample rate; the running state is kept.
    void design (double sampleRate) noexcept
    {
        using C = juce::IIRCoefficients;
        const auto f = [sampleRate] (double frequency) { return designFrequency (frequency, sampleRate); };
        inputShelf.setCoefficients (C::makeLowShelf (sampleRate, f (700.0), 0.9, 0.58f));
        inputNotch.setCoefficients (C::makePeakFilter (sampleRate, f (1500.0), 1.0, 0.4f));
        echoPresence.setCoefficients (C::makePeakFilter (sampleRate, f (4000.0), 0.7, 0.6f));
        echoLowPass.setCoefficients (C::makeLowPass (sampleRate, f (7800.0)));
        voicingHighPass.setCoefficients (C::makeHighPass (sampleRate, f (1400.0)));
        echoTopLowPass.setCoefficients (C::makeLowPass (sampleRate, f (13200.0)));
        echoHighPass.setCoefficients (C::makeHighPass (sampleRate, f (220.0)));
    }

    // A biquad designed above half the sample rate is unstable and would fill the echo with
    // infinities; at such low rates the filter moves just below it. From 29.4 kHz up every
    // filter sits where it belongs.
    static double designFrequency (double frequency, double sampleRate) noexcept
    {
        return std::min (frequency, 0.45 * sampleRate);
    }

    // Whether every filter is designed and holds no signal, apart from channel 2's input shelf:
    // while the input is summed to mono it keeps what it holds, which matters only once stereo
    // returns (secondInputShelfSilent).
    bool silent() const noexcept
    {
        for (const auto* filter :
             { &inputNotch, &echoPresence, &echoLowPass, &voicingHighPass, &echoTopLowPass, &echoHighPass })
            if (! (filter->active && filter->holdsZero()))
                return false;
        return inputShelf.active && inputShelf.v1[0] == 0.0f && inputShelf.v2[0] == 0.0f;
    }

    bool secondInputShelfSilent() const noexcept { return inputShelf.v1[1] == 0.0f && inputShelf.v2[1] == 0.0f; }

    void reset() noexcept
    {
        for (auto* filter : { &inputShelf, &inputNotch, &echoPresence, &echoLowPass, &voicingHighPass, &echoTopLowPass,
                              &echoHighPass })
            filter->reset();
    }
};

// The filter each channel has on its own.
struct ChannelFilters
{
    // The tone shelf, the voicing's last filter. It alone is redesigned while audio runs, by
    // the audio thread (EchoEngine::followToneControl).
    SampleFilter toneShelf;
};

// The tone control's shelf: a linear gain from 0.4 at tone 0 to 1.6 at tone 1, flat at 0.5.
inline juce::IIRCoefficients makeToneShelf (double sampleRate, float tone)
{
    return juce::IIRCoefficients::makeHighShelf (sampleRate, FixedFilters::designFrequency (1200.0, sampleRate), 1.0,
                                                 tone * 1.2f + 0.4f);
}
