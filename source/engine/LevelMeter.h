#pragma once

#include <array>

// The magic eye's value: the block's positive peak over input and output, held and decayed
// by 0.9 per block, mapped onto steps of 1/25 about 3 dB apart.
struct LevelMeter
{
    float levelPeak = 0.0f;

    void reset() noexcept { levelPeak = 0.0f; }

    // Ends a block: holds its peak or decays the held one, and gives the step to publish.
    float endBlock (float blockPeak) noexcept
    {
        levelPeak = blockPeak > levelPeak ? blockPeak : (float) (levelPeak * 0.9);

        if (levelPeak < 0.0f)
            levelPeak = 0.0f;

        return stepFor (levelPeak);
    }

    // The first line whose upper limit the held peak is below; from 1.0 up, the top step.
    static float stepFor (float heldPeak) noexcept
    {
        struct Line
        {
            double below;
            float step;
        };

        static constexpr std::array<Line, 22> lines { {
            { 0.0005, 0.0f },  { 0.00071, 0.04f }, { 0.001, 0.08f },  { 0.0014, 0.12f }, { 0.002, 0.16f },
            { 0.004, 0.20f },  { 0.0056, 0.24f },  { 0.0079, 0.28f }, { 0.011, 0.32f },  { 0.0158, 0.36f },
            { 0.0224, 0.44f }, { 0.0316, 0.48f },  { 0.0447, 0.52f }, { 0.0631, 0.56f }, { 0.089, 0.60f },
            { 0.125, 0.64f },  { 0.177, 0.68f },   { 0.251, 0.72f },  { 0.351, 0.76f },  { 0.501, 0.80f },
            { 0.707, 0.88f },  { 1.0, 0.92f },
        } };

        for (const auto& line : lines)
            if ((double) heldPeak < line.below)
                return line.step;

        return 0.96f;
    }
};
