#include "EchoEngine.h"
#include "EchoVoicing.h"
#include "HeadSelector.h"
#include "InputStage.h"
#include "OutputMix.h"
#include "RepeatModes.h"

template <typename Sample>
float EchoEngine::process (juce::AudioBuffer<Sample>& buffer, int numOutputChannels)
{
    const juce::ScopedNoDenormals noDenormals;

    const int numChannels = buffer.getNumChannels();
    const int numSamples = numChannels > 0 ? buffer.getNumSamples() : 0;
    float blockPeak = 0.0f;

    if (numSamples > 0)
    {
        // With one channel, channel 2 reads channel 1's samples.
        Sample* channel1 = buffer.getWritePointer (0);
        Sample* channel2 = numChannels > 1 ? buffer.getWritePointer (1) : channel1;
        const int numOutputs = juce::jmin (numOutputChannels, numChannels);

        if (useFmaInstructions)
            runSampleLoopWithFmaInstructions (channel1, channel2, numSamples, numOutputs, blockPeak);
        else
            runSampleLoopWithLibraryFma (channel1, channel2, numSamples, numOutputs, blockPeak);
    }

    return levelMeter.endBlock (blockPeak);
}

void EchoEngine::retimeBank (int bank, double drift) noexcept
{
    headBank.retimeBank (bank, controls.headSpacing, controls.oversamplingFactor, drift);
}

// The same loop twice, each with every stage inlined: once for any processor (std::fma is then
// the maths library's call), once with the fused multiply-add instructions. Both round every
// fma exactly once, so they give the same bits.
template <typename Sample>
__attribute__ ((flatten)) void EchoEngine::runSampleLoopWithLibraryFma (Sample* channel1, Sample* channel2,
                                                                        int numSamples, int numOutputs,
                                                                        float& blockPeak)
{
    runSampleLoop (channel1, channel2, numSamples, numOutputs, blockPeak);
}

template <typename Sample>
__attribute__ ((target ("avx,fma"), flatten)) void
EchoEngine::runSampleLoopWithFmaInstructions (Sample* channel1, Sample* channel2, int numSamples, int numOutputs,
                                              float& blockPeak)
{
    runSampleLoop (channel1, channel2, numSamples, numOutputs, blockPeak);
}

template <typename Sample>
void EchoEngine::runSampleLoop (Sample* channel1, Sample* channel2, int numSamples, int numOutputs, float& blockPeak)
{
    auto raisePeak = [&blockPeak] (Sample value)
    {
        if (value > (Sample) blockPeak)
            blockPeak = (float) value;
    };

    const DrumDrift::Rates rates (sampleRate, sampleStep);

    // While the engine holds only zeros and the input is zero, the echo and the saturated
    // input are exactly zero: a block of an idle engine runs its leading silence on its own.
    // A block that ran nothing else leaves the engine as it found it, so the next one need not
    // look again.
    const auto positionsBefore = headBank.writePositions;
    const bool startsIdle = skipSilence && (endedIdle || holdsOnlyZeros());
    const int firstSound = startsIdle ? runLeadingSilence (channel1, channel2, numSamples, numOutputs, rates) : 0;
    endedIdle = startsIdle && firstSound == numSamples;

    for (int i = firstSound; i < numSamples; ++i)
    {
        const Sample dryL = channel1[i], dryR = channel2[i];
        raisePeak (dryL);
        raisePeak (dryR);

        const float volume = controls.fvolume, inputVolume = controls.finput;
        const bool stereoInput = controls.fbtn1 != 0.0f || controls.fbtn3 != 0.0f;
        const auto shaped = InputStage::process ((float) dryL, (float) dryR, inputVolume, stereoInput, fixedFilters);

        const auto headInputs = RepeatModes::headInputs (
            { controls.fselection, controls.flenght, controls.fbtn3 != 0.0f, controls.fbtn1 != 0.0f }, shaped.t[0],
            shaped.t[1], feedbackL, feedbackR, headOutputs);

        const auto weights = drumDrift.step (rates, [this] (int bank, double drift) { retimeBank (bank, drift); });

        std::array<float, 8> heads = headOutputs; // a stage count outside 1..4 runs no line
        if (const int stages = controls.oversamplingFactor; stages >= 1 && stages <= HeadBank::numStages)
        {
            heads = { headInputs.oddL, headInputs.evenL, headInputs.oddL, headInputs.evenL,
                      headInputs.oddR, headInputs.evenR, headInputs.oddR, headInputs.evenR };
            headBank.runStages (stages, heads, weights.bank0, weights.bank1);
        }

        HeadSelector::skew (heads, drumDrift.driftOffset);
        headOutputs = heads;

        const int position = HeadSelector::position (controls.fdelayselection);
        const double clippedL = HeadSelector::softClip (HeadSelector::select (&heads[0], position, feedbackL));
        const double clippedR = HeadSelector::softClip (HeadSelector::select (&heads[4], position, feedbackR));
        StereoLanes::Floats echo { (float) clippedL, (float) clippedR };
        followToneControl();
        const auto repeats = EchoVoicing::process (echo, fixedFilters, filters);
        feedbackL = repeats[0];
        feedbackR = repeats[1];

        const auto processed =
            OutputMix::processed (echo[0], echo[1], shaped.y[0], shaped.y[1], volume, inputVolume, stereoInput);

        if (numOutputs == 2)
        {
            channel1[i] = OutputMix::blend (volume, processed.channel1, dryL);
            channel2[i] = OutputMix::blend (volume, processed.channel2, dryR);
        }
        else if (numOutputs == 1)
        {
            channel1[i] = OutputMix::blendMono (volume, processed, dryL);
        }

        raisePeak (OutputMix::meterValue (volume, processed.channel1, channel1[i]));
    }

    if (firstSound < numSamples)
        headBank.noteWrites (positionsBefore, numSamples);
}

// The silent samples a block of an idle engine starts with, in loops of their own: the drum moves
// on, the rings stand still and their write positions move on for all the samples at the end,
// and every output sample is the mix of zeros with its input. The controls are read once for
// the lot. What it writes is a zero of either sign (not a number, were a control not finite),
// which never raises the level meter. Gives how many samples it ran.
template <typename Sample>
int EchoEngine::runLeadingSilence (Sample* channel1, Sample* channel2, int numSamples, int numOutputs,
                                   const DrumDrift::Rates& rates)
{
    // Channel 2's input shelf only feeds the output while the input is stereo.
    const float volume = controls.fvolume, inputVolume = controls.finput;
    const bool stereoInput = controls.fbtn1 != 0.0f || controls.fbtn3 != 0.0f;
    if (stereoInput && ! fixedFilters.secondInputShelfSilent())
        return 0;

    int silent = 0;
    while (silent < numSamples && (float) channel1[silent] == 0.0f && (float) channel2[silent] == 0.0f)
        ++silent;

    drumDrift.coast (rates, silent, [this] (int bank, double drift) { retimeBank (bank, drift); });

    if (const int stages = controls.oversamplingFactor; stages >= 1 && stages <= HeadBank::numStages)
        headBank.skipSilentSamples (stages, silent);

    // One channel at a time: with two outputs the channels are two buffers.
    const auto processed = OutputMix::processed (0.0f, 0.0f, 0.0, 0.0, volume, inputVolume, stereoInput);
    if (numOutputs == 2)
    {
        for (int i = 0; i < silent; ++i)
            channel1[i] = OutputMix::blend (volume, processed.channel1, channel1[i]);
        for (int i = 0; i < silent; ++i)
            channel2[i] = OutputMix::blend (volume, processed.channel2, channel2[i]);
    }
    else if (numOutputs == 1)
    {
        for (int i = 0; i < silent; ++i)
            channel1[i] = OutputMix::blendMono (volume, processed, channel1[i]);
    }

    return silent;
}

template float EchoEngine::process (juce::AudioBuffer<float>&, int);
template float EchoEngine::process (juce::AudioBuffer<double>&, int);
