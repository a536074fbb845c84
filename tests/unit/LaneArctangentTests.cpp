#include "engine/LaneArctangent.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <thread>

// The soft clip's arctangent in lanes must give the maths library's atanf bits for every float,
// both with the processor's default handling of tiny values and with the one the engine runs
// under (tiny values flushed to zero). All 2^32 inputs, two lanes at a time, on two threads:
// more than a minute of processor time, so the suite carries the slow label.
namespace
{
float fromBits (uint32_t bits)
{
    float value;
    std::memcpy (&value, &bits, sizeof value);
    return value;
}

uint32_t toBits (float value)
{
    uint32_t bits;
    std::memcpy (&bits, &value, sizeof bits);
    return bits;
}

struct Mismatches
{
    uint64_t count = 0;
    uint32_t first = 0;
};

// Every input whose top bit is half, in pairs of neighbours.
Mismatches compareHalf (uint32_t half, bool flushTinyValues)
{
    Mismatches mismatches;
    auto compareAll = [&]
    {
        const uint64_t begin = (uint64_t) half << 31, end = begin + (1ull << 31);
        for (uint64_t bits = begin; bits < end; bits += 2)
        {
            const StereoLanes::Floats in { fromBits ((uint32_t) bits), fromBits ((uint32_t) bits + 1) };
            const StereoLanes::Floats out = StereoLanes::atan (in);
            for (int lane = 0; lane < 2; ++lane)
                if (toBits (out[lane]) != toBits (atanf (in[lane])) && mismatches.count++ == 0)
                    mismatches.first = (uint32_t) bits + (uint32_t) lane;
        }
    };

    if (flushTinyValues)
    {
        const juce::ScopedNoDenormals noDenormals;
        compareAll();
    }
    else
    {
        compareAll();
    }
    return mismatches;
}

// The quick check: each range's edges and their neighbours, signed zeros, tiny, huge and not
// a number (its payload kept), both signs.
TEST (LaneArctangent, RangeEdgesGiveTheLibrarysBits)
{
    const uint32_t edges[] = { 0x00000000, 0x00000001, 0x00800000, 0x31000000, 0x3ee00000, 0x3f300000, 0x3f980000,
                               0x401c0000, 0x4c000000, 0x7f7fffff, 0x7f800000, 0x7fc00000, 0x7f800001, 0x7fffffff };
    for (uint32_t edge : edges)
        for (uint32_t bits : { edge - 1, edge, edge + 1 })
            for (uint32_t sign : { 0u, 0x80000000u })
            {
                const float in = fromBits ((bits & 0x7fffffff) | sign);
                const float out = StereoLanes::atan (StereoLanes::Floats { in, -in })[0];
                EXPECT_EQ (toBits (out), toBits (atanf (in))) << "bits 0x" << std::hex << toBits (in);
            }
}

TEST (LaneArctangentTimed, EveryFloatGivesTheLibrarysBits)
{
    for (bool flushTinyValues : { false, true })
    {
        std::array<Mismatches, 2> halves;
        std::thread upper ([&] { halves[1] = compareHalf (1, flushTinyValues); });
        halves[0] = compareHalf (0, flushTinyValues);
        upper.join();

        for (const auto& half : halves)
            EXPECT_EQ (half.count, 0u) << "flushing tiny values " << flushTinyValues << ", first at bits 0x" << std::hex
                                       << half.first << ": lanes "
                                       << StereoLanes::atan (StereoLanes::Floats { fromBits (half.first) })[0]
                                       << ", library " << atanf (fromBits (half.first));
    }
}
} // namespace
