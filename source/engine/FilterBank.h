#pragma once

#include "SampleFilter.h"

#include <algorithm>
#include <array>
#include <atomic>

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

// The tone shelf, the voicing's last filter, with the framework filter's arithmetic. It alone
// is redesigned while audio runs, by the tone control from any thread. The audio thread never
// waits for a design: a designer publishes its coefficients between two steps of a counter
// that is odd while they are half written, and each sample first takes up a design published
// whole since the last one, so a change is heard from the next sample. Designers take turns
// under a lock of their own, which the audio thread never takes.
class ToneShelf
{
public:
    // Any thread.
    void setCoefficients (const juce::IIRCoefficients& design) noexcept
    {
        const juce::SpinLock::ScopedLockType designersTakeTurns (designLock);
        const unsigned int count = publications.load (std::memory_order_relaxed);
        publications.store (count + 1, std::memory_order_relaxed);
        std::atomic_thread_fence (std::memory_order_release);
        for (size_t i = 0; i < published.size(); ++i)
            published[i].store (design.coefficients[i], std::memory_order_relaxed);
        publications.store (count + 2, std::memory_order_release);
    }

    // The design last published.
    juce::IIRCoefficients getCoefficients() const noexcept
    {
        const juce::SpinLock::ScopedLockType designersTakeTurns (designLock);
        juce::IIRCoefficients design;
        for (size_t i = 0; i < published.size(); ++i)
            design.coefficients[i] = published[i].load (std::memory_order_relaxed);
        return design;
    }

    // As juce::IIRFilter::processSamples on one sample: before any design the sample passes
    // through. Audio thread only.
    float processSample (float in) noexcept
    {
        if (publications.load (std::memory_order_acquire) != takenUp)
            takeUpNewDesign();
        return filter.processSample (in);
    }

    // While no block runs.
    void reset() noexcept { filter.reset(); }

    // Whether the shelf holds no signal and runs the design last published, as the next sample
    // would take it up. Audio thread only.
    bool silent() noexcept
    {
        if (! filter.holdsZero())
            return false;
        if (publications.load (std::memory_order_acquire) != takenUp)
            takeUpNewDesign();
        return filter.active;
    }

private:
    std::array<std::atomic<float>, 5> published {};
    std::atomic<unsigned int> publications { 0 };
    mutable juce::SpinLock designLock;
    unsigned int takenUp = 0; // the count of the design the filter runs
    SampleFilter filter;

    // Keeps the design it has when the one it meets is half written or changes while it is read.
    void takeUpNewDesign() noexcept
    {
        const unsigned int count = publications.load (std::memory_order_acquire);
        if (count % 2 != 0)
            return;

        float c[5];
        for (size_t i = 0; i < published.size(); ++i)
            c[i] = published[i].load (std::memory_order_relaxed);
        std::atomic_thread_fence (std::memory_order_acquire);
        if (publications.load (std::memory_order_relaxed) != count)
            return;

        filter.c0 = c[0];
        filter.c1 = c[1];
        filter.c2 = c[2];
        filter.c3 = c[3];
        filter.c4 = c[4];
        filter.active = true;
        takenUp = count;
    }
};

// The filter each channel has on its own.
struct ChannelFilters
{
    ToneShelf toneShelf;
};

// The tone control's shelf: a linear gain from 0.4 at tone 0 to 1.6 at tone 1, flat at 0.5.
inline juce::IIRCoefficients makeToneShelf (double sampleRate, float tone)
{
    return juce::IIRCoefficients::makeHighShelf (sampleRate, FixedFilters::designFrequency (1200.0, sampleRate), 1.0,
                                                 tone * 1.2f + 0.4f);
}
