#include "HostedPlugin.h"
#include "RawComponentState.h"

#include "MessageLoop.h"

#include <algorithm>

namespace
{
using vimbrel::test::loadBuiltPlugin;
using vimbrel::test::runMessageLoopUntil;
using vimbrel::test::slotValues;

using Settings = std::vector<std::pair<Slot::Index, float>>;

bool hostShows (juce::AudioPluginInstance& plugin, const Settings& settings)
{
    return std::all_of (settings.begin(), settings.end(),
                        [&] (const auto& s) { return plugin.getParameters()[s.first]->getValue() == s.second; });
}

TEST (HostedState, ComesBackIntoASecondFreshInstance)
{
    auto first = loadBuiltPlugin();
    ASSERT_NE (first, nullptr);

    // "Stereo Swell", then settings of the user's on top.
    first->setCurrentProgram (3);
    const Settings stereoSwell { { Slot::length, 0.4f }, { Slot::selection, 0.99f }, { Slot::stereoFeedback2, 1.0f } };

    const Settings settings {
        { Slot::input, 0.3f },        { Slot::tone, 0.9f },       { Slot::delaySelection, 0.747f },
        { Slot::oversampling, 0.5f }, { Slot::manualBpm, 0.65f }, { Slot::doubleTime, 1.0f },
        { Slot::beat88, 0.0f },       { Slot::beat68, 1.0f }
    };
    for (const auto& [slot, value] : settings)
        first->getParameters()[slot]->setValueNotifyingHost (value);
    ASSERT_TRUE (vimbrel::test::deliverPostedMessages());
    ASSERT_TRUE (hostShows (*first, settings));

    juce::MemoryBlock saved;
    first->getStateInformation (saved);

    // The restored values reach the host's view of the second instance once the plug-in
    // has told it they changed.
    auto second = loadBuiltPlugin();
    ASSERT_NE (second, nullptr);
    second->setStateInformation (saved.getData(), (int) saved.getSize());
    EXPECT_TRUE (runMessageLoopUntil ([&] { return hostShows (*second, settings); }, 2000));

    EXPECT_TRUE (hostShows (*second, stereoSwell));
    EXPECT_TRUE (hostShows (*second, settings));
    EXPECT_EQ (slotValues (*second), slotValues (*vimbrel::test::reloadedCopyOf (*first)));
    EXPECT_EQ (second->getCurrentProgram(), 3);
    EXPECT_EQ (second->getParameters()[Slot::tone]->getCurrentValueAsText(), "4.80 dB");
    EXPECT_EQ (vimbrel::host::componentStateOf (*second), vimbrel::host::componentStateOf (*first));
}
} // namespace
