#include "HostedPlugin.h"
#include "RawComponentState.h"

#include "MessageLoop.h"

namespace
{
using vimbrel::test::loadBuiltPlugin;

std::vector<float> slotValues (juce::AudioPluginInstance& plugin)
{
    std::vector<float> values;
    for (int slot = 0; slot < 22; ++slot)
        values.push_back (plugin.getParameters()[slot]->getValue());
    return values;
}

TEST (HostedState, ComesBackIntoASecondFreshInstance)
{
    auto first = loadBuiltPlugin();
    ASSERT_NE (first, nullptr);

    first->setCurrentProgram (3);
    vimbrel::test::processOneBlock (*first);
    vimbrel::test::runMessageLoop (50);
    const std::pair<int, float> settings[] = { { 0, 0.3f },   { 2, 0.9f },  { 5, 0.747f }, { 9, 0.5f },
                                               { 10, 0.65f }, { 16, 1.0f }, { 21, 0.0f },  { 19, 1.0f } };
    for (const auto& [slot, value] : settings)
        first->getParameters()[slot]->setValueNotifyingHost (value);
    vimbrel::test::runMessageLoop (50);

    juce::MemoryBlock saved;
    first->getStateInformation (saved);

    auto second = loadBuiltPlugin();
    ASSERT_NE (second, nullptr);
    second->setStateInformation (saved.getData(), (int) saved.getSize());
    vimbrel::test::runMessageLoop (50);

    EXPECT_EQ (slotValues (*second), slotValues (*first));
    EXPECT_EQ (second->getCurrentProgram(), 3);
    EXPECT_EQ (second->getParameters()[2]->getCurrentValueAsText(), "4.80 dB");
    EXPECT_EQ (vimbrel::host::componentStateOf (*second), vimbrel::host::componentStateOf (*first));
}
} // namespace
