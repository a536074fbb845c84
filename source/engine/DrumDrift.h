#pragma once

#include <limits>

// The drum's uneven speed: a slow triangular drift of a few samples and a faster jitter of
// one or two, both in whole sample steps. Each change retimes the bank that is silent, and
// a continuous cross-fade carries the sound over to it; when the fade arrives, the other
// bank is retimed and the fade turns back. Time offsets are in line time units, so one
// sample step is 10 / sample rate.
struct DrumDrift
{
    double fadePosition = 0.0; // -1 .. 1: bank 0 weighs (X + 1) / 2, bank 1 (1 - X) / 2
    int fadeBank = 1;          // +1 while the fade moves towards bank 0, -1 towards bank 1
    int driftDirection = 1;
    double driftOffset = 0.0;
    double driftTotal = 0.0; // the drift given to the last bank retime
    double jitterPhase = 0.0;
    double jitterOffset = 0.0;
    int jitterDirection = 1;

    // How far the jitter and the drift swing either way before they turn, in line time units.
    static constexpr double jitterLimit = 0.000175;
    static constexpr double driftLimit = 0.0006505;

    struct Weights
    {
        double bank0, bank1;
    };

    // What the sample rate alone decides; the same for a whole block.
    struct Rates
    {
        double sampleRate, sampleStep;
        double jitterClock; // 2000/44100 of the jitter phase per sample, at every rate
        double speedScale;  // turns the fade speed's base into a step per sample

        // The fade speed's base for the jitter offset last asked about: the offset moves only
        // every few dozen samples.
        mutable double jitterOffsetSeen = std::numeric_limits<double>::quiet_NaN();
        mutable double speedBase = 0.0;

        double speedBaseFor (double offset) const noexcept
        {
            if (offset != jitterOffsetSeen)
            {
                const double b = (offset + 170.0) / 1.75 * (double) 0.05f * sampleRate / 44100.0;
                speedBase = speedScale * b;
                jitterOffsetSeen = offset;
            }
            return speedBase;
        }

        Rates (double rate, double step) noexcept
            : sampleRate (rate),
              sampleStep (step),
              jitterClock (2.0 / (0.5 * rate) * 10.0 * (50.0 * rate / 44100.0)),
              speedScale (1.0 / (0.5 * rate) * 10.0)
        {
        }
    };

    void reset() noexcept
    {
        fadePosition = 0.0;
        driftOffset = 0.0;
        fadeBank = 1;
        driftDirection = 1;
    }

    // One sample of drift and fade. retimeBank (bank, drift) is called for every bank retime.
    template <typename RetimeBank>
    Weights step (const Rates& rates, RetimeBank&& retimeBank)
    {
        runJitterClock (rates.jitterClock, rates.sampleStep);

        const double v = rates.speedBaseFor (jitterOffset);
        const Speeds speeds { (1.02 - driftOffset) * v, -(v * (driftOffset + 1.02)) };

        if (driftDirection == 1 || driftDirection == -1)
            moveByBank<true> (speeds, rates.sampleStep, retimeBank);

        if (fadePosition > 1.0)
            fadePosition = 1.0;
        else if (fadePosition < -1.0)
            fadePosition = -1.0;

        if (jitterPhase > 1.0)
            jitterPhase = 1.0;
        else if (jitterPhase < -1.0)
            jitterPhase = -1.0;

        return { (fadePosition + 1.0) * 0.5, (1.0 - fadePosition) * 0.5 };
    }

    // numSamples steps whose weights nobody hears, as while the drum turns in silence. Between
    // the turns of the jitter and the fade a step only adds to the two phases, so those samples
    // run as two sums; the others take a whole step.
    template <typename RetimeBank>
    void coast (const Rates& rates, int numSamples, RetimeBank&& retimeBank)
    {
        DrumDrift drift = *this; // a copy the retimes cannot reach, so that it stays in registers
        for (int i = 0; i < numSamples;)
        {
            i += drift.glide (rates, numSamples - i);
            if (i < numSamples)
            {
                drift.step (rates, retimeBank);
                ++i;
            }
        }
        *this = drift;
    }

private:
    struct Speeds
    {
        double forward, backward;
    };

    // Up to numSamples steps in which nothing turns, no limit is reached and no clamp acts:
    // each only moves the jitter phase by its clock and the fade by its speed. Gives how many
    // it ran; none when the next step does more.
    int glide (const Rates& rates, int numSamples) noexcept
    {
        const bool knownDirections = (jitterDirection == 1 || jitterDirection == -1) &&
                                     (driftDirection == 1 || driftDirection == -1) && (fadeBank == 1 || fadeBank == -1);
        const bool driftTurns =
            (driftDirection == 1 && driftTotal > driftLimit) || (driftDirection == -1 && driftTotal < -driftLimit);
        if (! knownDirections || (fadeBank == 1 && driftTurns))
            return 0;

        const double v = rates.speedBaseFor (jitterOffset);
        const double jitterStep = jitterDirection == 1 ? -rates.jitterClock : rates.jitterClock;
        const double fadeStep = fadeBank == 1 ? (1.02 - driftOffset) * v : -(v * (driftOffset + 1.02));

        double jitter = jitterPhase, fade = fadePosition;
        int n = 0;
        for (; n < numSamples; ++n)
        {
            const double nextJitter = jitter + jitterStep, nextFade = fade + fadeStep;
            if (! (nextJitter >= -1.0 && nextJitter <= 1.0 && nextFade >= -1.0 && nextFade <= 1.0))
                break;
            jitter = nextJitter;
            fade = nextFade;
        }
        jitterPhase = jitter;
        fadePosition = fade;
        return n;
    }

    void runJitterClock (double clock, double sampleStep) noexcept
    {
        if (jitterDirection == 1)
        {
            jitterPhase -= clock;
            if (jitterPhase < -1.0)
            {
                jitterPhase += 2.0;
                jitterOffset += sampleStep;
                if (jitterOffset > jitterLimit)
                {
                    jitterDirection = -1;
                    jitterFalling (clock, sampleStep); // takes the step back at once
                }
            }
        }
        else if (jitterDirection == -1)
        {
            jitterFalling (clock, sampleStep);
        }
    }

    void jitterFalling (double clock, double sampleStep) noexcept
    {
        jitterPhase += clock;
        if (jitterPhase > 1.0)
        {
            jitterPhase -= 2.0;
            jitterOffset -= sampleStep;
            if (jitterOffset < -jitterLimit)
                jitterDirection = 1;
        }
    }

    // The drift turns at most once a sample: a turn moves the fade once more, and that move,
    // with the drift already turned, cannot turn it again. Spelling out the two levels keeps the
    // whole step inline.
    template <bool mayTurn, typename RetimeBank>
    void moveByBank (Speeds speeds, double sampleStep, RetimeBank& retimeBank)
    {
        if (fadeBank == 1)
            moveForward<mayTurn> (speeds, sampleStep, retimeBank);
        else if (fadeBank == -1)
            moveBackward<mayTurn> (speeds, sampleStep, retimeBank);
    }

    template <bool mayTurn, typename RetimeBank>
    void moveForward (Speeds speeds, double sampleStep, RetimeBank& retimeBank)
    {
        fadePosition += speeds.forward;

        if (fadePosition > 1.0)
        {
            fadePosition = 2.0 - fadePosition;
            stepDrift (sampleStep);
            retimeBank (1, driftTotal);
            fadeBank = -1;
        }

        // The drift turns in the very sample whose retime crossed its limit.
        if (driftDirection == 1 && driftTotal > driftLimit)
        {
            driftDirection = -1;
            if constexpr (mayTurn)
                moveByBank<false> (speeds, sampleStep, retimeBank);
        }
        else if (driftDirection == -1 && driftTotal < -driftLimit)
        {
            driftDirection = 1;
        }
    }

    template <bool mayTurn, typename RetimeBank>
    void moveBackward (Speeds speeds, double sampleStep, RetimeBank& retimeBank)
    {
        fadePosition += speeds.backward;

        if (fadePosition < -1.0)
        {
            fadePosition = -2.0 - fadePosition;
            stepDrift (sampleStep);
            retimeBank (0, driftTotal);
            fadeBank = 1;
            moveForward<mayTurn> (speeds, sampleStep, retimeBank);
        }
    }

    // The jitter reaches the delays only while the drift grows.
    void stepDrift (double sampleStep) noexcept
    {
        driftOffset += driftDirection * sampleStep;
        driftTotal = driftDirection == 1 ? driftOffset + jitterOffset : driftOffset;
    }
};
