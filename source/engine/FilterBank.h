#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The eight biquads one channel of the echo uses, by their role in the signal path.
struct ChannelFilters
{
    juce::IIRFilter inputShelf;      // record stage, before the saturator
    juce::IIRFilter inputNotch;      // record stage, after the saturator
    juce::IIRFilter echoPresence;    // voicing, first filter
    juce::IIRFilter echoLowPass;     // voicing, second filter
    juce::IIRFilter voicingHighPass; // side branch of the tape curve
    juce::IIRFilter echoTopLowPass;  // voicing, after the tape curve
    juce::IIRFilter echoHighPass;    // voicing, after the top low-pass
    juce::IIRFilter toneShelf;       // voicing, last filter; follows the tone control

    void reset() noexcept
    {
        for (auto* filter : { &inputShelf, &inputNotch, &echoPresence, &echoLowPass, &voicingHighPass,
                              &echoTopLowPass, &echoHighPass, &toneShelf })
            filter->reset();
    }
};

// The tone control's shelf: a linear gain from 0.4 at tone 0 to 1.6 at tone 1, flat at 0.5.
inline juce::IIRCoefficients makeToneShelf (double sampleRate, float tone)
{
    return juce::IIRCoefficients::makeHighShelf (sampleRate, 1200.0, 1.0, tone * 1.2f + 0.4f);
}
