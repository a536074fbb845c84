#pragma once

#include "CpuFeatures.h"
#include "DrumDrift.h"
#include "FilterBank.h"
#include "HeadBank.h"
#include "LevelMeter.h"
#include "RelaxedAtomic.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <atomic>

// The controls the echo reads while it runs: its owner's shared fields, read whole where the
// signal path needs them, so a change from another thread is heard from the next sample.
struct EchoControls
{
    const RelaxedAtomic<float>& finput;
    const RelaxedAtomic<float>& flenght;
    const RelaxedAtomic<float>& ftone;
    const RelaxedAtomic<float>& fvolume;
    const RelaxedAtomic<float>& fselection;
    const RelaxedAtomic<float>& fdelayselection;
    const RelaxedAtomic<float>& fbtn1; // stereo feedback 1
    const RelaxedAtomic<float>& fbtn3; // stereo feedback 2
    const RelaxedAtomic<float>& headSpacing;
    const RelaxedAtomic<int>& oversamplingFactor;
};

// The magnetic-drum echo: input stage, 64 delay lines on 28 rings as four heads per channel,
// the drum's drift, the head selector, the voicing and the output mix. Everything it needs for
// audio is held by value (about 17 MB, almost all ring memory), so nothing is allocated once it
// exists.
class EchoEngine
{
public:
    explicit EchoEngine (EchoControls controlsToRead) noexcept : controls (controlsToRead) {}

    // Adapts delays and filters to a sample rate; one no host can run at changes nothing and
    // gives false.
    bool prepare (double newSampleRate);

    // Restarts the drift and the fade at their midpoint and silences the repeats; echoes
    // already on the drum keep sounding.
    void reset();

    // Processes a block in place and gives the level meter's step for it. With one channel,
    // channel 2 reads channel 1's samples; only the first numOutputChannels are written.
    template <typename Sample>
    float process (juce::AudioBuffer<Sample>& buffer, int numOutputChannels);

    // Asks for both tone shelves to follow the tone control, at the current rate. Any thread may
    // ask; the audio thread designs them before its next sample (followToneControl), so it never
    // waits for another thread's design and a change is heard from the next sample.
    void designToneShelves() noexcept;

    // Designs both tone shelves if a design was asked for since the last one. Audio thread, or
    // while no block runs.
    void followToneControl() noexcept
    {
        if (toneDesignsAsked.load (std::memory_order_acquire) != toneDesignsMade)
            redesignToneShelves();
    }

    // How long the echo keeps sounding once the input falls silent, in seconds, from the
    // controls as they are now: for ever while anything feeds the echo back onto the drum,
    // otherwise until the longest head has played back what the drum holds and the filters have
    // rung out. It reads shared fields only, so any thread may ask.
    double tailSeconds() const noexcept;

    // What the filters and the drum's drift add after the longest head. The echo still passes
    // the voicing filters, and the dry path the record stage's: all of them ring for
    // milliseconds (the slowest, the 220 Hz high-pass, falls by 180 dB within 25 ms), and the
    // fade between the drum's two banks only moves between delays a few samples apart. Half a
    // second covers all of it many times over.
    static constexpr double tailRingOutSeconds = 0.5;

    FixedFilters fixedFilters;
    std::array<ChannelFilters, 2> filters; // the tone shelves
    // A placeholder until the first preparation, read only by a tone change or tail asked for before it.
    static constexpr double unpreparedSampleRate = 444100.0;
    RelaxedAtomic<double> sampleRate { unpreparedSampleRate };
    double sampleStep = 10.0 / unpreparedSampleRate; // one sample of delay in line time units
    HeadBank headBank;
    DrumDrift drumDrift;
    double feedbackL = 0.0, feedbackR = 0.0; // the previous sample's voiced echoes: the repeats
    std::array<float, 8> headOutputs {};     // the previous sample's skewed heads, channel 1 then 2
    LevelMeter levelMeter;

    // Whether the signal path runs on the processor's fused multiply-add instructions or on
    // the maths library's; both round exactly, so the sound is the same. Chosen at
    // construction from what the processor offers.
    bool useFmaInstructions = processorHasFmaInstructions();

    // Whether silence may skip the work it does not need (tests compare with and without).
    bool skipSilence = true;

    // Whether everything later output depends on, apart from the drum's motion, is zero: the
    // rings, every filter's state, the repeats and the heads (channel 2's input shelf only counts
    // while the input is stereo). From there zeros in give zeros out until the first sample that
    // is not zero.
    bool holdsOnlyZeros() const noexcept;

private:
    const EchoControls controls;
    bool endedIdle = false; // the last block ran only its leading silence: the engine holds only zeros
    std::atomic<unsigned int> toneDesignsAsked { 0 };
    unsigned int toneDesignsMade = 0;

    template <typename Sample>
    void runSampleLoop (Sample* channel1, Sample* channel2, int numSamples, int numOutputs, float& blockPeak);
    template <typename Sample>
    void runSampleLoopWithLibraryFma (Sample* channel1, Sample* channel2, int numSamples, int numOutputs,
                                      float& blockPeak);
    template <typename Sample>
    void runSampleLoopWithFmaInstructions (Sample* channel1, Sample* channel2, int numSamples, int numOutputs,
                                           float& blockPeak);
    template <typename Sample>
    int runLeadingSilence (Sample* channel1, Sample* channel2, int numSamples, int numOutputs,
                           const DrumDrift::Rates& rates);
    void retimeBank (int bank, double drift) noexcept;
    void redesignToneShelves() noexcept;
};
