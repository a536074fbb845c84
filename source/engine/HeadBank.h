#pragma once

#include "SimpleDelay.h"

#include <array>
#include <cmath>

// The drum's four playback heads for both channels: every head is a chain of one to four
// delay stages, and every stage has two lines (bank 0 and bank 1) fed the same signal and
// cross-faded, so one bank can be retimed while the other is heard.
// Line k = 32 * channel + 8 * stage + 4 * bank + head, all counted from zero.
struct HeadBank
{
    static constexpr int numStages = 4;
    static constexpr int numHeads = 4;
    static constexpr std::array<double, numHeads> headRatios { 1.0, 2.02, 3.0, 4.0 };

    std::array<SimpleDelay, 64> lines;

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

    // One sample through one stage of all eight heads (channel 1's four, then channel 2's):
    // each head's input goes into both banks, and the stage gives their fade. Stages run in
    // order, each taking the previous one's outputs.
    void runStage (int stage, std::array<float, 8>& signal, double weight0, double weight1) noexcept
    {
        SimpleDelay* stageLines = &lines[(size_t) (8 * stage)];
        const int position = stageLines->writePos;

        // Once per cache line of samples, every line of the stage asks for its memory early.
        if (position % 16 == 0)
        {
            for (int channel = 0; channel < 2; ++channel)
                for (int line = 0; line < 8; ++line)
                    stageLines[32 * channel + line].fetchAhead (position);
        }

        // Unrolled, every line of the stage sits at a fixed offset from the first.
#pragma GCC unroll 2
        for (int channel = 0; channel < 2; ++channel)
        {
#pragma GCC unroll 4
            for (int head = 0; head < numHeads; ++head)
            {
                float& x = signal[(size_t) (numHeads * channel + head)];
                SimpleDelay* bank0 = stageLines + 32 * channel + head;
                const float out0 = bank0->processAt (position, x);
                const float out1 = bank0[4].processAt (position, x);
                x = (float) std::fma ((double) out0, weight0, (double) out1 * weight1);
            }
        }
    }
};
