#include "ReferenceEcho.h"

#include <array>
#include <cmath>
#include <limits>

namespace vimbrel::reference
{
namespace
{
struct PlainDelay
{
    double rate = 44100.0;
    std::vector<double> buffer = std::vector<double> (150001, 0.0);
    int length = 150000;
    int writePos = 0;
    int delaySamples = 0;
    double timeValue = 0.0;

    static int whole (double samples)
    {
        return (int) samples; // the settings compared here keep every delay well inside int
    }

    void setTime (double t)
    {
        timeValue = t;
        delaySamples = std::min (whole (t * rate / 10.0), length - 1);
    }

    void processSample (float* sample)
    {
        buffer[(size_t) writePos] = (double) *sample;
        int r = writePos - delaySamples;
        if (r < 0)
        {
            r = length - delaySamples + writePos;
            if (r < 0)
                r = 0;
        }
        if (r >= length)
            r -= length;
        writePos++;
        if (writePos == length)
            writePos = 0;
        *sample = (float) buffer[(size_t) r];
    }
};

struct PlainChannelFilters
{
    juce::IIRFilter inputShelf, inputNotch, echoPresence, echoLowPass, voicingHighPass, echoTopLowPass, echoHighPass,
        toneShelf;
};

float runFilter (juce::IIRFilter& filter, float x)
{
    filter.processSamples (&x, 1);
    return x;
}
} // namespace

struct ReferenceEcho::State
{
    const NewProjectAudioProcessor& p;
    std::vector<PlainDelay> lines = std::vector<PlainDelay> (64);
    PlainChannelFilters f[2];
    double sampleRate = 44100.0, sampleStep = 10.0 / 44100.0;
    double feedbackL = 0.0, feedbackR = 0.0;
    float headOutputs[8] = {};
    double fadePosition = 0.0, driftOffset = 0.0, driftTotal = 0.0;
    int fadeBank = 1, driftDirection = 1;
    double jitterPhase = 0.0, jitterOffset = 0.0;
    int jitterDirection = 1;
    const double jitterLimit = 0.000175, driftLimit = 0.0006505;
    float levelPeak = 0.0f, levelStep = 0.0f;
    float designedTone = std::numeric_limits<float>::quiet_NaN();
    double f_ = 0.0, g_ = 0.0; // this sample's fade speeds

    explicit State (const NewProjectAudioProcessor& source) : p (source)
    {
        for (int k = 0; k < 64; ++k)
            lines[(size_t) k].setTime (0.2 * (k % 4 + 1));
    }

    PlainDelay& line (int c, int s, int b, int h) { return lines[(size_t) (32 * c + 8 * s + 4 * b + (h - 1))]; }

    void designTone()
    {
        designedTone = p.ftone;
        for (auto& ch : f)
            ch.toneShelf.setCoefficients (
                juce::IIRCoefficients::makeHighShelf (sampleRate, 1200.0, 1.0, designedTone * 1.2f + 0.4f));
    }

    static double saturate (double x)
    {
        double P = 0.4f * x * x;
        P = std::fma (0.4f * x * x, x, P);
        P = std::fma (0.18f * x * x * x, x, P);
        P = std::fma (0.05f * x * x * x * x, x, P);
        P = std::fma (0.04f * x * x * x * x * x, x, P);
        P = std::fma (0.02f * x * x * x * x * x * x, x, P);
        double y = std::fma ((double) 0.016571f, P, x);
        return y + x;
    }

    static double Q (double x)
    {
        double q = 0.1912f * x * x * x;
        q = std::fma (-0.1f * x, x, q);
        q = std::fma (0.063f * x * x * x, x, q);
        q = std::fma (-0.0075f * x * x * x * x, x, q);
        q = std::fma (0.00125f * x * x * x * x * x, x, q);
        return q;
    }

    void retime (int b)
    {
        const double S = (double) (p.headSpacing / (float) p.oversamplingFactor);
        const double m = driftTotal;
        const double ratio[5] = { 0.0, 1.0, 2.02, 3.0, 4.0 };
        for (int s = 0; s < 4; ++s)
            for (int h = 1; h <= 4; ++h)
            {
                line (0, s, b, h).setTime (h == 1 ? S + m : (S + m) * ratio[h]);
                line (1, s, b, h).setTime (h == 1 ? S - m : (S - m) * ratio[h]);
            }
    }

    void stepDrift()
    {
        driftOffset = driftOffset + driftDirection * sampleStep;
        if (driftDirection == 1)
            driftTotal = driftOffset + jitterOffset;
        else
            driftTotal = driftOffset;
    }

    void turnCheck()
    {
        if (driftDirection == 1 && driftTotal > driftLimit)
        {
            driftDirection = -1;
            if (fadeBank == 1)
                forward();
            else if (fadeBank == -1)
                backward();
        }
        else if (driftDirection == -1 && driftTotal < -driftLimit)
        {
            driftDirection = 1;
        }
    }

    void forward()
    {
        fadePosition = fadePosition + f_;
        if (fadePosition > 1.0)
        {
            fadePosition = 2.0 - fadePosition;
            stepDrift();
            retime (1);
            fadeBank = -1;
        }
        turnCheck();
    }

    void backward()
    {
        fadePosition = fadePosition + g_;
        if (fadePosition < -1.0)
        {
            fadePosition = -2.0 - fadePosition;
            stepDrift();
            retime (0);
            fadeBank = 1;
            forward();
        }
    }

    void driftAndFade (double& w0, double& w1)
    {
        const double r = sampleRate, s = sampleStep;
        const double c = (2.0 / (0.5 * r)) * 10.0 * (50.0 * r / 44100.0);
        if (jitterDirection == 1)
        {
            jitterPhase -= c;
            if (jitterPhase < -1.0)
            {
                jitterPhase += 2.0;
                jitterOffset += s;
                if (jitterOffset > jitterLimit)
                {
                    jitterDirection = -1;
                    jitterPhase += c;
                    if (jitterPhase > 1.0)
                    {
                        jitterPhase -= 2.0;
                        jitterOffset -= s;
                        if (jitterOffset < -jitterLimit)
                            jitterDirection = 1;
                    }
                }
            }
        }
        else if (jitterDirection == -1)
        {
            jitterPhase += c;
            if (jitterPhase > 1.0)
            {
                jitterPhase -= 2.0;
                jitterOffset -= s;
                if (jitterOffset < -jitterLimit)
                    jitterDirection = 1;
            }
        }

        const double b = (jitterOffset + 170.0) / 1.75 * (double) 0.05f * r / 44100.0;
        const double v = (1.0 / (0.5 * r)) * 10.0 * b;
        f_ = (1.02 - driftOffset) * v;
        g_ = -(v * (driftOffset + 1.02));

        if (driftDirection == 1 || driftDirection == -1)
        {
            if (fadeBank == 1)
                forward();
            else if (fadeBank == -1)
                backward();
        }

        if (fadePosition > 1.0)
            fadePosition = 1.0;
        if (fadePosition < -1.0)
            fadePosition = -1.0;
        w0 = (fadePosition + 1.0) * 0.5;
        w1 = (1.0 - fadePosition) * 0.5;

        if (jitterPhase > 1.0)
            jitterPhase = 1.0;
        if (jitterPhase < -1.0)
            jitterPhase = -1.0;
    }

    static double select (const float* H, float sel, double previous)
    {
        if (sel <= 0.083333336f)
            return H[0];
        if (sel <= 0.16666667f)
            return H[1];
        if (sel <= 0.25f)
            return H[2];
        if ((double) sel <= 0.3416666666666666)
            return H[3];
        if (sel <= 0.41666666f)
            return (H[0] + H[1]) / 1.65f;
        if (sel <= 0.5f)
            return (H[1] + H[2]) / 1.85f;
        if (sel <= 0.5833333f)
            return (H[2] + H[3]) / 1.85f;
        if (sel <= 0.6666667f)
            return (H[0] + H[2]) / 1.85f;
        if (sel <= 0.75f)
            return (H[1] + H[3]) / 1.9f;
        if (sel <= 0.8333333f)
            return ((H[0] + H[1]) + H[2]) / 2.5f;
        if (sel <= 0.9166667f)
            return ((H[1] + H[3]) + H[2]) / 2.7f;
        if (sel <= 1.0f)
            return (((H[0] + H[1]) + H[2]) + H[3]) / 3.4f;
        return previous;
    }

    static double clip (double w)
    {
        const float c = atanf ((float) (w * 1.6));
        return (double) c * 0.625 * 2.0 / 3.141592653589793;
    }

    double tape (float in, juce::IIRFilter& highPass)
    {
        const double x = (double) in;
        const float h = runFilter (highPass, in);
        const double inner = std::fma ((double) 0.7f, x, (double) (0.2f * h));
        return 1.25 * std::fma ((double) 0.0001525f, Q (x), inner);
    }

    static float stepFor (float held)
    {
        const double limits[] = { 0.0005, 0.00071, 0.001,  0.0014, 0.002, 0.004, 0.0056, 0.0079, 0.011, 0.0158, 0.0224,
                                  0.0316, 0.0447,  0.0631, 0.089,  0.125, 0.177, 0.251,  0.351,  0.501, 0.707,  1.0 };
        const float steps[] = { 0.0f,  0.04f, 0.08f, 0.12f, 0.16f, 0.20f, 0.24f, 0.28f, 0.32f, 0.36f, 0.44f,
                                0.48f, 0.52f, 0.56f, 0.60f, 0.64f, 0.68f, 0.72f, 0.76f, 0.80f, 0.88f, 0.92f };
        for (int i = 0; i < 22; ++i)
            if ((double) held < limits[i])
                return steps[i];
        return 0.96f;
    }

    template <typename Sample>
    void process (juce::AudioBuffer<Sample>& buffer, int numOutputs)
    {
        if (p.ftone != designedTone)
            designTone();

        Sample* ch1 = buffer.getWritePointer (0);
        Sample* ch2 = buffer.getNumChannels() > 1 ? buffer.getWritePointer (1) : ch1;
        float peak = 0.0f;

        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const Sample inL = ch1[i], inR = ch2[i];
            if (inL > (Sample) peak)
                peak = (float) inL;
            if (inR > (Sample) peak)
                peak = (float) inR;
            const float L = (float) inL, R = (float) inR;

            // Input stage.
            const bool stereo = p.fbtn1 != 0.0f || p.fbtn3 != 0.0f;
            double yL, yR;
            if (stereo)
            {
                const float xL = L * p.finput, xR = R * p.finput;
                yL = saturate (f[0].inputShelf.processSingleSampleRaw (xL));
                yR = saturate (f[1].inputShelf.processSingleSampleRaw (xR));
            }
            else
            {
                const float x = ((L + R) * 0.5f) * p.finput;
                yL = yR = saturate (f[0].inputShelf.processSingleSampleRaw (x));
            }
            const float tL = runFilter (f[0].inputNotch, (float) yL);
            const float tR = runFilter (f[1].inputNotch, (float) yR);

            // Repeat mode.
            float oddL, evenL, oddR, evenR;
            const float sel = p.fselection;
            if (sel <= 0.34f)
            {
                oddL = evenL = tL;
                oddR = evenR = tR;
            }
            else if (sel <= 0.67f)
            {
                const double a = (p.flenght * feedbackL) * 2.5;
                const double b = (p.flenght * feedbackR) * 2.5;
                oddL = p.fbtn3 != 0.0f ? (float) (tL + b) : (float) (tL + a);
                oddR = p.fbtn3 != 0.0f ? (float) (tR + a) : (float) (tR + b);
                evenL = p.fbtn1 != 0.0f ? (float) (tL + b) : (float) (tL + a);
                evenR = p.fbtn1 != 0.0f ? (float) (tR + a) : (float) (tR + b);
            }
            else
            {
                const double a2 = std::fma (p.flenght * feedbackL, 2.3, (double) tL);
                const double b2 = std::fma (p.flenght * feedbackR, 2.3, (double) tR);
                const float* H = headOutputs;
                const float* K = headOutputs + 4;
                const float cross1 = ((H[3] + K[2]) + H[1]) + K[0];
                const float cross2 = ((K[3] + H[2]) + K[1]) + H[0];
                oddL = evenL = std::fma (cross1 * 0.4f, 0.25f, (float) a2);
                oddR = evenR = std::fma (cross2 * 0.4f, 0.25f, (float) b2);
            }

            // Drift and fade.
            double w0, w1;
            driftAndFade (w0, w1);

            // Head chains.
            float heads[8];
            const int N = p.oversamplingFactor;
            if (N >= 1 && N <= 4)
            {
                for (int c = 0; c < 2; ++c)
                    for (int h = 1; h <= 4; ++h)
                    {
                        float x = c == 0 ? (h % 2 == 1 ? oddL : evenL) : (h % 2 == 1 ? oddR : evenR);
                        for (int s = 0; s < N; ++s)
                        {
                            float o0 = x, o1 = x;
                            line (c, s, 0, h).processSample (&o0);
                            line (c, s, 1, h).processSample (&o1);
                            x = (float) std::fma ((double) o0, w0, (double) o1 * w1);
                        }
                        heads[4 * c + h - 1] = x;
                    }
            }
            else
            {
                for (int k = 0; k < 8; ++k)
                    heads[k] = headOutputs[k];
            }

            // Skew, selector, clip, voicing.
            const double u = std::fma ((double) 0.0051f, driftOffset, 1.0);
            const double d = std::fma (-(double) 0.0051f, driftOffset, 1.0);
            const double factor[8] = { u, d, u, d, d, u, d, u };
            for (int j = 0; j < 8; ++j)
                headOutputs[j] = (float) ((double) heads[j] * factor[j]);

            feedbackL = clip (select (headOutputs, p.fdelayselection, feedbackL));
            feedbackR = clip (select (headOutputs + 4, p.fdelayselection, feedbackR));
            float W = (float) feedbackL, V = (float) feedbackR;
            W = runFilter (f[0].echoPresence, W);
            V = runFilter (f[1].echoPresence, V);
            W = runFilter (f[0].echoLowPass, W);
            V = runFilter (f[1].echoLowPass, V);
            feedbackL = tape (W, f[0].voicingHighPass);
            W = (float) feedbackL;
            W = runFilter (f[0].echoTopLowPass, W);
            W = runFilter (f[0].echoHighPass, W);
            feedbackR = tape (V, f[1].voicingHighPass);
            V = (float) feedbackR;
            V = runFilter (f[1].echoTopLowPass, V);
            V = runFilter (f[1].echoHighPass, V);
            W = runFilter (f[0].toneShelf, W);
            V = runFilter (f[1].toneShelf, V);

            // Output mix.
            const float g = p.fvolume;
            const float yRp = (float) (yR * p.finput);
            const float A = std::fma (g, V, yRp);
            const float B = stereo ? g * W + (float) (yL * p.finput) : A;
            if constexpr (std::is_same_v<Sample, float>)
            {
                if (numOutputs == 2)
                {
                    ch1[i] = std::fma (g, B, (1.0f - g) * L);
                    ch2[i] = std::fma (A, g, (1.0f - g) * R);
                }
                else
                {
                    ch1[i] = std::fma (g * 0.5f, A + B, (1.0f - g) * L);
                }
                const float meter = std::fma (g, B, (1.0f - g) * ch1[i]);
                if (meter > peak)
                    peak = meter;
            }
            else
            {
                if (numOutputs == 2)
                {
                    ch1[i] = (double) (g * B) + (1.0 - g) * inL;
                    ch2[i] = (double) (A * g) + (1.0 - g) * inR;
                }
                else
                {
                    ch1[i] = (double) ((g * 0.5f) * (A + B)) + (1.0 - g) * inL;
                }
                const double meter = std::fma ((double) g, (double) B, (1.0 - (double) g) * ch1[i]);
                if (meter > (double) peak)
                    peak = (float) meter;
            }
        }

        const float held = peak > levelPeak ? peak : (float) (levelPeak * 0.9);
        levelPeak = held < 0.0f ? 0.0f : held;
        levelStep = stepFor (levelPeak);
    }
};

ReferenceEcho::ReferenceEcho (const NewProjectAudioProcessor& settingsSource)
    : state (std::make_unique<State> (settingsSource))
{
    reset();
}

ReferenceEcho::~ReferenceEcho() = default;

void ReferenceEcho::prepare (double sampleRate)
{
    auto& s = *state;
    s.sampleRate = sampleRate;
    for (auto& l : s.lines)
    {
        l.rate = sampleRate;
        l.delaySamples = PlainDelay::whole (sampleRate * l.timeValue / 10.0);
    }
    for (auto& ch : s.f)
    {
        ch.inputShelf.setCoefficients (juce::IIRCoefficients::makeLowShelf (sampleRate, 700.0, 0.9, 0.58f));
        ch.inputNotch.setCoefficients (juce::IIRCoefficients::makePeakFilter (sampleRate, 1500.0, 1.0, 0.4f));
        ch.echoPresence.setCoefficients (juce::IIRCoefficients::makePeakFilter (sampleRate, 4000.0, 0.7, 0.6f));
        ch.echoLowPass.setCoefficients (juce::IIRCoefficients::makeLowPass (sampleRate, 7800.0));
        ch.voicingHighPass.setCoefficients (juce::IIRCoefficients::makeHighPass (sampleRate, 1400.0));
        ch.echoTopLowPass.setCoefficients (juce::IIRCoefficients::makeLowPass (sampleRate, 13200.0));
        ch.echoHighPass.setCoefficients (juce::IIRCoefficients::makeHighPass (sampleRate, 220.0));
    }
    s.designTone();
    for (auto& h : s.headOutputs)
        h = 0.0f;
    s.sampleStep = 10.0 / sampleRate;
}

void ReferenceEcho::reset()
{
    auto& s = *state;
    for (auto& ch : s.f)
        for (auto* filter : { &ch.inputShelf, &ch.inputNotch, &ch.echoPresence, &ch.echoLowPass, &ch.voicingHighPass,
                              &ch.echoTopLowPass, &ch.echoHighPass, &ch.toneShelf })
            filter->reset();
    s.feedbackL = s.feedbackR = s.fadePosition = s.driftOffset = 0.0;
    s.levelPeak = 0.0f;
    s.fadeBank = s.driftDirection = 1;
}

void ReferenceEcho::process (juce::AudioBuffer<float>& buffer, int numOutputs)
{
    state->process (buffer, numOutputs);
    levelStep = state->levelStep;
}

void ReferenceEcho::process (juce::AudioBuffer<double>& buffer, int numOutputs)
{
    state->process (buffer, numOutputs);
    levelStep = state->levelStep;
}
} // namespace vimbrel::reference
