#pragma once

#include "SimpleDelay.h"

#include <algorithm>
#include <array>
#include <cmath>

// The drum's four playback heads for both channels: every head is a chain of one to four
// delay stages, and every stage has two lines (bank 0 and bank 1) fed the same signal and
// cross-faded, so one bank can be retimed while the other is heard.
// Line k = 32 * channel + 8 * stage + 4 * bank + head, all counted from zero.
//
// The two banks of a head are fed the same sample at the same position, so they read one ring,
// each at its own delay. At the first stage heads 1 and 3 are fed the odd-head input and heads
// 2 and 4 the even-head input, so each pair reads one ring there too: 14 rings a channel.
struct HeadBank
{
    static constexpr int numStages = 4;
    static constexpr int numHeads = 4;
    static constexpr std::array<double, numHeads> headRatios { 1.0, 2.02, 3.0, 4.0 };
    static constexpr int firstStageRings = 2;
    static constexpr int ringsPerChannel = firstStageRings + (numStages - 1) * numHeads;

    std::array<SimpleDelay, 64> lines;
    std::array<DelayRing, 2 * ringsPerChannel> rings;
    std::array<int, numStages> writePositions {}; // all rings of a stage are written together
    // How many of a stage's latest writes, counted back from its write position, hold zero in
    // every ring of the stage, up to a whole ring. The rings start out silent.
    std::array<int, numStages> quietWrites { DelayRing::length, DelayRing::length, DelayRing::length,
                                             DelayRing::length };

    HeadBank() noexcept
    {
        for (int channel = 0; channel < 2; ++channel)
            for (int stage = 0; stage < numStages; ++stage)
                for (int bank = 0; bank < 2; ++bank)
                    for (int head = 0; head < numHeads; ++head)
                        line (channel, stage, bank, head).setTimeValue (0.2 * (head + 1));
    }

    SimpleDelay& line (int channel, int stage, int bank, int head) noexcept
    {
        return lines[(size_t) (32 * channel + 8 * stage + 4 * bank + head)];
    }

    // The ring a head reads at a stage.
    DelayRing& ring (int channel, int stage, int head) noexcept
    {
        const int inChannel = stage == 0 ? head % firstStageRings : firstStageRings + numHeads * (stage - 1) + head;
        return rings[(size_t) (ringsPerChannel * channel + inChannel)];
    }

    void setRate (double rate) noexcept
    {
        for (auto& l : lines)
            l.setRate (rate);
    }

    // Gives every line of one bank, in all stages, the head spacing as its time value: the
    // spacing is shared among the stages, the drift is not, and channel 2 drifts the other way.
    void retimeBank (int bank, float headSpacing, int oversamplingFactor, double drift) noexcept
    {
        const double spacing = headSpacing / (float) oversamplingFactor;

        for (int stage = 0; stage < numStages; ++stage)
        {
            line (0, stage, bank, 0).setTimeValue (spacing + drift);
            line (1, stage, bank, 0).setTimeValue (spacing - drift);

            for (int head = 1; head < numHeads; ++head)
            {
                line (0, stage, bank, head).setTimeValue ((spacing + drift) * headRatios[(size_t) head]);
                line (1, stage, bank, head).setTimeValue ((spacing - drift) * headRatios[(size_t) head]);
            }
        }
    }

    // Whether every ring holds only zeros.
    bool silent() const noexcept
    {
        return std::all_of (quietWrites.begin(), quietWrites.end(),
                            [] (int quiet) { return quiet == DelayRing::length; });
    }

    // Silent samples through the first stages (1 to 4): the rings, known to hold zeros, are not
    // written, but the stages move on as if they were.
    void skipSilentSamples (int stages, int numSamples) noexcept
    {
        for (int stage = 0; stage < stages; ++stage)
            writePositions[(size_t) stage] =
                (writePositions[(size_t) stage] + numSamples % DelayRing::length) % DelayRing::length;
    }

    // Brings quietWrites up to date after a block of numSamples that began at positionsBefore,
    // looking back from each stage's write position only as far as the zeros reach.
    void noteWrites (const std::array<int, numStages>& positionsBefore, int numSamples) noexcept
    {
        constexpr int length = DelayRing::length;

        for (int stage = 0; stage < numStages; ++stage)
        {
            const int end = writePositions[(size_t) stage];
            // Within a ring's length the positions tell how far the stage moved; beyond it, the
            // whole ring is looked at.
            const int writes =
                numSamples >= length ? length : (end - positionsBefore[(size_t) stage] + length) % length;
            if (writes == 0)
                continue;

            int quiet = writes;
            for (int channel = 0; channel < 2; ++channel)
                for (int head = 0; head < (stage == 0 ? firstStageRings : numHeads); ++head)
                    quiet = std::min (quiet, zerosBefore (ring (channel, stage, head), end, quiet));

            auto& stageQuiet = quietWrites[(size_t) stage];
            stageQuiet = quiet == writes ? std::min (length, stageQuiet + writes) : quiet;
        }
    }

    // One sample through the first stages (1 to 4) of all eight heads, in order, each taking
    // the previous one's outputs. Each stage is built for its own place, so its rings sit at
    // fixed addresses.
    void runStages (int stages, std::array<float, 8>& signal, double weight0, double weight1) noexcept
    {
        runStage<0> (signal, weight0, weight1);
        if (stages > 1)
            runStage<1> (signal, weight0, weight1);
        if (stages > 2)
            runStage<2> (signal, weight0, weight1);
        if (stages > 3)
            runStage<3> (signal, weight0, weight1);
    }

    // One sample through one stage of all eight heads (channel 1's four, then channel 2's):
    // each head's input is written to its ring, both banks read it, and the stage gives their
    // fade. At the first stage the signal is odd, even, odd, even for each channel.
    template <int stage>
    void runStage (std::array<float, 8>& signal, double weight0, double weight1) noexcept
    {
        const int position = writePositions[(size_t) stage];
        const int headsWriting = stage == 0 ? firstStageRings : numHeads;

        // Once per cache line of samples, every ring of the stage asks early for the memory it
        // will be written at, and every head for the memory its first bank will read (the
        // second reads close by).
        if (position % 16 == 0)
        {
            for (int channel = 0; channel < 2; ++channel)
            {
                for (int head = 0; head < headsWriting; ++head)
                    ring (channel, stage, head).fetchAhead (position);
                for (int head = 0; head < numHeads; ++head)
                    ring (channel, stage, head).fetchAhead (line (channel, stage, 0, head).readPos);
            }
        }

        for (int channel = 0; channel < 2; ++channel)
            for (int head = 0; head < headsWriting; ++head)
                ring (channel, stage, head).samples[(size_t) position] = signal[(size_t) (numHeads * channel + head)];

#pragma GCC unroll 2
        for (int channel = 0; channel < 2; ++channel)
        {
#pragma GCC unroll 4
            for (int head = 0; head < numHeads; ++head)
            {
                const DelayRing& written = ring (channel, stage, head);
                const float out0 = line (channel, stage, 0, head).read (written, position);
                const float out1 = line (channel, stage, 1, head).read (written, position);
                float& x = signal[(size_t) (numHeads * channel + head)];
                x = (float) std::fma ((double) out0, weight0, (double) out1 * weight1);
            }
        }

        writePositions[(size_t) stage] = DelayRing::nextPosition (position);
    }

private:
    // How many of the count samples before a position (wrapping round the ring) are zero, from
    // the newest back to the first that is not.
    static int zerosBefore (const DelayRing& ring, int position, int count) noexcept
    {
        int zeros = 0;
        for (int p = position; zeros < count; ++zeros)
        {
            p = p == 0 ? DelayRing::length - 1 : p - 1;
            if (ring.samples[(size_t) p] != 0.0f)
                break;
        }
        return zeros;
    }
};
