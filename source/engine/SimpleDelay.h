#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

// One ring of samples on the drum. Its owner writes it at a position it keeps, and any number
// of delays read it. Samples enter and leave as floats, so the ring stores floats.
struct DelayRing
{
    static constexpr int length = 150000;

    std::array<float, length + 1> samples {};

    static int nextPosition (int position) noexcept { return position + 1 < length ? position + 1 : 0; }

    // Asks for the memory a few cache lines ahead of a position the ring is written or read at,
    // which moves on by one every sample: it comes back to memory last touched a ring ago, far
    // out of the caches, and a store or load that waits for it holds up the ones behind it.
    void fetchAhead (int position) const noexcept
    {
        constexpr int distance = 64;
        const int ahead = position + distance;
        __builtin_prefetch (&samples[(size_t) (ahead < length ? ahead : ahead - length)], 1);
    }
};

// One integer-sample delay of the drum, read from a ring. Its time value is in line time
// units (10 units are one second).
class SimpleDelay
{
public:
    static constexpr int length = DelayRing::length;

    double rate = 44100.0;
    int delaySamples = 0;
    int readPos = 0;
    double timeValue = 0.0;

    // The delayed sample, once the ring has been written at the position: writing first lets
    // a delay of 0 return the sample just written.
    float read (const DelayRing& ring, int position) noexcept
    {
        readPos = readPosition (position);
        return ring.samples[(size_t) readPos];
    }

    // Sets the time value while audio runs: the delay never exceeds the ring.
    void setTimeValue (double newTimeValue) noexcept
    {
        timeValue = newTimeValue;
        delaySamples = std::min (delayForTime (newTimeValue), length - 1);
    }

    // Adopts a new sample rate and recomputes the delay from the time value, unlimited above
    // (the read position stays inside the ring all the same).
    void setRate (double newRate) noexcept
    {
        rate = newRate;
        delaySamples = delayForTime (timeValue);
    }

private:
    // A delay beyond the samples written since the ring's start reads the oldest entry; a
    // negative one reads ahead of the write position, wrapped into the ring.
    int readPosition (int position) const noexcept
    {
        int r = position - delaySamples;

        if (r < 0)
        {
            r += length;
            if (r < 0)
                r = 0;
        }
        else if (r >= length)
        {
            r -= length;
        }

        return r;
    }

    // The whole samples in a time value, the product formed first. Any time value a host
    // can cause gives a delay the read rule handles: not a number is 0, and the range is
    // limited to one ring length below zero (so one wrap suffices) and the int range above.
    int delayForTime (double time) const noexcept
    {
        const double samples = time * rate / 10.0;

        if (std::isnan (samples))
            return 0;
        if (samples <= (double) -length)
            return -length;
        if (samples >= (double) std::numeric_limits<int>::max())
            return std::numeric_limits<int>::max();

        return (int) samples;
    }
};
