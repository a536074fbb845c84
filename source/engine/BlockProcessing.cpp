#include "../processor/EchoPluginProcessor.h"
#include "EchoVoicing.h"
#include "HeadSelector.h"
#include "InputStage.h"
#include "OutputMix.h"
#include "RepeatModes.h"

#include <cmath>
#include <limits>

void NewProjectAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    processEngineBlock (buffer);
}

void NewProjectAudioProcessor::processBlock (juce::AudioBuffer<double>& buffer, juce::MidiBuffer&)
{
    processEngineBlock (buffer);
}

template <typename Sample>
void NewProjectAudioProcessor::processEngineBlock (juce::AudioBuffer<Sample>& buffer)
{
    const juce::ScopedNoDenormals noDenormals;

    takeHostTempo();

    const int numChannels = buffer.getNumChannels();
    const int numSamples = numChannels > 0 ? buffer.getNumSamples() : 0;
    float blockPeak = 0.0f;

    if (numSamples > 0)
    {
        // With one channel, channel 2 reads channel 1's samples.
        Sample* channel1 = buffer.getWritePointer (0);
        Sample* channel2 = numChannels > 1 ? buffer.getWritePointer (1) : channel1;
        const int numOutputs = juce::jmin (getTotalNumOutputChannels(), numChannels);

        if (useFmaInstructions)
            runSampleLoopWithFmaInstructions (channel1, channel2, numSamples, numOutputs, blockPeak);
        else
            runSampleLoopWithLibraryFma (channel1, channel2, numSamples, numOutputs, blockPeak);
    }

    levelStep = levelMeter.endBlock (blockPeak);
}

// The host's tempo reaches the delays only when the head spacing is next recomputed. No tempo,
// one below 10 BPM or one that is not a finite number counts as 120.
void NewProjectAudioProcessor::takeHostTempo()
{
    if (auto* playHead = getPlayHead())
        playHead->getCurrentPosition (hostPosition);

    if (const double bpm = hostPosition.bpm; bpm != (double) hostBpm)
        hostBpm = std::abs (bpm) <= std::numeric_limits<float>::max() ? (float) bpm : 120.0f;

    if (! (hostBpm >= 10.0f && std::isfinite (hostBpm)))
        hostBpm = 120.0f;
}

void NewProjectAudioProcessor::retimeBank (int bank, double drift) noexcept
{
    headBank.retimeBank (bank, headSpacing, oversamplingFactor, drift);
}

// The same loop twice, each with every stage inlined: once for any processor (std::fma is then
// the maths library's call), once with the fused multiply-add instructions. Both round every
// fma exactly once, so they give the same bits.
template <typename Sample>
__attribute__ ((flatten)) void NewProjectAudioProcessor::runSampleLoopWithLibraryFma (Sample* channel1,
                                                                                      Sample* channel2, int numSamples,
                                                                                      int numOutputs, float& blockPeak)
{
    runSampleLoop (channel1, channel2, numSamples, numOutputs, blockPeak);
}

template <typename Sample>
__attribute__ ((target ("avx,fma"), flatten)) void
NewProjectAudioProcessor::runSampleLoopWithFmaInstructions (Sample* channel1, Sample* channel2, int numSamples,
                                                            int numOutputs, float& blockPeak)
{
    runSampleLoop (channel1, channel2, numSamples, numOutputs, blockPeak);
}

template <typename Sample>
void NewProjectAudioProcessor::runSampleLoop (Sample* channel1, Sample* channel2, int numSamples, int numOutputs,
                                              float& blockPeak)
{
    auto raisePeak = [&blockPeak] (Sample value)
    {
        if (value > (Sample) blockPeak)
            blockPeak = (float) value;
    };

    const DrumDrift::Rates rates (sampleRate, sampleStep);

    for (int i = 0; i < numSamples; ++i)
    {
        const Sample dryL = channel1[i], dryR = channel2[i];
        raisePeak (dryL);
        raisePeak (dryR);

        const float volume = fvolume, inputVolume = finput;
        const bool stereoInput = fbtn1 != 0.0f || fbtn3 != 0.0f;

        const auto shaped =
            InputStage::process ((float) dryL, (float) dryR, inputVolume, stereoInput, filters[0], filters[1]);

        const auto headInputs = RepeatModes::headInputs ({ fselection, flenght, fbtn3 != 0.0f, fbtn1 != 0.0f },
                                                         shaped.tL, shaped.tR, feedbackL, feedbackR, headOutputs);

        const auto weights = drumDrift.step (rates, [this] (int bank, double drift) { retimeBank (bank, drift); });

        std::array<float, 8> heads = headOutputs; // a stage count outside 1..4 runs no line
        if (const int stages = oversamplingFactor; stages >= 1 && stages <= HeadBank::numStages)
        {
            heads = { headInputs.oddL, headInputs.evenL, headInputs.oddL, headInputs.evenL,
                      headInputs.oddR, headInputs.evenR, headInputs.oddR, headInputs.evenR };
            for (int stage = 0; stage < stages; ++stage)
                headBank.runStage (stage, heads, weights.bank0, weights.bank1);
        }

        HeadSelector::skew (heads, drumDrift.driftOffset);
        headOutputs = heads;

        const int position = HeadSelector::position (fdelayselection);
        feedbackL = HeadSelector::softClip (HeadSelector::select (&heads[0], position, feedbackL));
        feedbackR = HeadSelector::softClip (HeadSelector::select (&heads[4], position, feedbackR));
        float w = (float) feedbackL, v = (float) feedbackR;
        EchoVoicing::process (w, v, feedbackL, feedbackR, filters[0], filters[1]);

        const auto processed = OutputMix::processed (w, v, shaped.yL, shaped.yR, volume, inputVolume, stereoInput);

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
}

template void NewProjectAudioProcessor::processEngineBlock (juce::AudioBuffer<float>&);
template void NewProjectAudioProcessor::processEngineBlock (juce::AudioBuffer<double>&);
