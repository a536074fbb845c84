#pragma once

#include "processor/EchoPluginProcessor.h"

#include <memory>
#include <vector>

namespace vimbrel::reference
{
// The echo written the plainest way: one sample at a time, every stage in the order and
// precision the design gives, the framework's locked filters called per sample, the maths
// library's fma, delay lines holding doubles. It reads the settings (parameter fields, head
// spacing, stage count) from a processor and keeps its own signal state, so the shipped,
// optimised engine can be compared with it bit for bit.
class ReferenceEcho
{
public:
    explicit ReferenceEcho (const NewProjectAudioProcessor& settingsSource);
    ~ReferenceEcho();

    void prepare (double sampleRate);
    void reset();

    // Processes a block in place with the given number of output channels (1 or 2).
    void process (juce::AudioBuffer<float>& buffer, int numOutputs);
    void process (juce::AudioBuffer<double>& buffer, int numOutputs);

    float levelStep = 0.0f;

private:
    struct State;
    std::unique_ptr<State> state;
};
} // namespace vimbrel::reference
