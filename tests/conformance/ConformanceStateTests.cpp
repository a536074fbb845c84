#include "ConformanceHost.h"
#include "RawComponentState.h"

namespace
{
using namespace vimbrel::conformance;
using vimbrel::host::componentStateOf;
using vimbrel::test::processOneBlock;
using vimbrel::test::runMessageLoopUntil;

// The values of the parameters a host automates and a project keeps, by parameter index.
using Values = std::vector<std::pair<int, float>>;

Values automatableValues (juce::AudioPluginInstance& plugin)
{
    Values values;
    for (auto* parameter : plugin.getParameters())
        if (parameter->isAutomatable())
            values.push_back ({ parameter->getParameterIndex(), parameter->getValue() });
    return values;
}

// Whether the values came back. The manual tempo is kept in beats per minute, which the host sees
// divided by 200 as saved projects expect, so a value the host wrote comes back as its tempo's
// own value: the same or the next float. Every other value comes back exactly.
bool cameBack (const Values& restored, const Values& saved)
{
    if (restored.size() != saved.size())
        return false;

    for (size_t i = 0; i < saved.size(); ++i)
    {
        const auto [index, value] = saved[i];
        const bool tempo = index == Slot::manualBpm;
        if (restored[i].first != index ||
            (restored[i].second != value &&
             ! (tempo && std::nextafter (value, restored[i].second) == restored[i].second)))
            return false;
    }

    return true;
}

std::string describe (const Values& values)
{
    std::string text;
    for (const auto& [index, value] : values)
        text += std::to_string (index) + ": " + juce::String (value, 9).toStdString() + "  ";
    return text;
}

float onAStep (const juce::AudioProcessorParameter& parameter, float value)
{
    if (! parameter.isDiscrete())
        return value;

    const auto steps = (float) (parameter.getNumSteps() - 1);
    return std::round (value * steps) / steps;
}

// Suspends and resumes the instance as a host does around a change of its audio device.
void suspendAndResume (juce::AudioPluginInstance& plugin, double rate, int blockSize)
{
    plugin.releaseResources();
    plugin.prepareToPlay (rate, blockSize);
    processOneBlock (plugin, blockSize);
}

// As a validator does: every automatable parameter random, the state saved, restored into a
// fresh instance, which then shows every value and saves the very same bytes; and a suspension
// and resumption of either instance changes neither.
TEST (ConformanceState, RandomSettingsComeBackIntoAFreshInstanceByteForByte)
{
    const auto seed = seedFor (5);
    VIMBREL_TRACE_SEED (seed);
    std::mt19937 random (seed);
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);

    for (int round = 0; round < 4; ++round)
    {
        SCOPED_TRACE (::testing::Message() << "round " << round);

        auto first = loadBuiltPlugin();
        ASSERT_NE (first, nullptr);
        // A host sets a switch (the bypass) to one of its steps; the program is left alone, as
        // choosing one rewrites the other values.
        for (auto* parameter : first->getParameters())
            if (parameter->isAutomatable() && parameter->getName (100) != "Program")
                parameter->setValue (onAStep (*parameter, unit (random)));
        processOneBlock (*first);
        ASSERT_TRUE (vimbrel::test::deliverPostedMessages());

        const auto values = automatableValues (*first);
        juce::MemoryBlock saved;
        first->getStateInformation (saved);
        const auto savedComponent = componentStateOf (*first);

        auto second = loadBuiltPlugin();
        ASSERT_NE (second, nullptr);
        second->setStateInformation (saved.getData(), (int) saved.getSize());
        EXPECT_TRUE (runMessageLoopUntil ([&] { return cameBack (automatableValues (*second), values); }, 2000))
            << "saved:    " << describe (values) << "\nrestored: " << describe (automatableValues (*second));

        juce::MemoryBlock reread;
        second->getStateInformation (reread);
        EXPECT_EQ (reread, saved);
        EXPECT_EQ (componentStateOf (*second), savedComponent);

        suspendAndResume (*first, 96000.0, 1024);
        suspendAndResume (*second, 44100.0, 64);
        ASSERT_TRUE (vimbrel::test::deliverPostedMessages());

        for (auto* plugin : { first.get(), second.get() })
        {
            juce::MemoryBlock afterResuming;
            plugin->getStateInformation (afterResuming);
            EXPECT_TRUE (cameBack (automatableValues (*plugin), values))
                << "after resuming: " << describe (automatableValues (*plugin));
            EXPECT_EQ (componentStateOf (*plugin), savedComponent) << "after resuming";
            EXPECT_EQ (afterResuming, saved) << "after resuming";
        }
    }
}
} // namespace
