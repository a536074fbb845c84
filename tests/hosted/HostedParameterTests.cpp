#include "HostedPlugin.h"

#include "MessageLoop.h"
#include "SlotContract.h"

namespace
{
using vimbrel::test::loadBuiltPlugin;
using vimbrel::test::parameterNamed;

using vimbrel::test::slotDefaults;
using vimbrel::test::slotNames;

TEST (HostedParameters, TheHostSeesTheSlotsThenBypassAndProgram)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    const auto& parameters = plugin->getParameters();
    ASSERT_EQ (parameters.size(), 24);

    for (int slot = 0; slot < Slot::count; ++slot)
    {
        auto* parameter = parameters[slot];
        EXPECT_EQ (parameter->getName (100), slotNames[slot]) << "slot " << slot;
        EXPECT_FLOAT_EQ (parameter->getDefaultValue(), slotDefaults[slot]) << "slot " << slot;

        const bool automatable =
            slot != Slot::levelStep && slot != Slot::unused7 && slot != Slot::unused8 && slot != Slot::spareTempo;
        EXPECT_EQ (parameter->isAutomatable(), automatable) << "slot " << slot;

        // A host lists every automatable slot by a name of its own, with its value in words.
        if (automatable)
        {
            EXPECT_NE (parameter->getName (100), "No Parameter") << "slot " << slot;
            EXPECT_NE (parameter->getCurrentValueAsText(), "") << "slot " << slot;
            for (int other = 0; other < slot; ++other)
                EXPECT_NE (parameters[other]->getName (100), parameter->getName (100))
                    << "slots " << other << ", " << slot;
        }
    }

    EXPECT_NE (parameterNamed (*plugin, "Bypass"), nullptr);
    EXPECT_NE (parameterNamed (*plugin, "Program"), nullptr);
}

TEST (HostedParameters, TextsAndValuesFollowHostWrites)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    const auto& parameters = plugin->getParameters();

    struct Case
    {
        Slot::Index slot;
        float value;
        const char* text;
    };

    const Case cases[] = {
        { Slot::input, 0.5f, "50 %" },
        { Slot::tone, 1.0f, "6.00 dB" },
        { Slot::tone, 0.0f, "-6.00 dB" },
        { Slot::selection, 0.66f, "0.660 " },
        { Slot::delaySelection, 0.25f, "Mode: 3" },
        { Slot::volume, 0.8f, "80 %" },
        { Slot::oversampling, 0.5f, "3 stages" },
        { Slot::manualBpm, 0.6f, "120 BPM" },
        { Slot::classicSource, 1.0f, "On" },
        { Slot::beat78, 0.5f, "Off" },
        { Slot::doubleTime, 1.0f, "On" },
    };

    for (const auto& c : cases)
    {
        parameters[c.slot]->setValueNotifyingHost (c.value);
        EXPECT_TRUE (vimbrel::test::runMessageLoopUntil (
            [&] { return parameters[c.slot]->getCurrentValueAsText() == c.text; }, 1000))
            << "slot " << c.slot << " at " << c.value;
        EXPECT_FLOAT_EQ (parameters[c.slot]->getValue(), c.value) << "slot " << c.slot;
        EXPECT_EQ (parameters[c.slot]->getCurrentValueAsText(), c.text) << "slot " << c.slot << " at " << c.value;
    }
}

TEST (HostedPrograms, AreListedAndSelectedThroughTheHost)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);

    ASSERT_EQ (plugin->getNumPrograms(), 6);
    const char* names[] = { "Standard", "Stereo delay", "Mono Swell", "Stereo Swell", "Doubling", "Guitar" };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (plugin->getProgramName (i), names[i]);

    EXPECT_EQ (plugin->getCurrentProgram(), 0);

    // Selecting "Stereo delay" through the host rewrites the slots and leaves the others alone.
    plugin->getParameters()[Slot::oversampling]->setValueNotifyingHost (0.5f);
    plugin->setCurrentProgram (1);
    EXPECT_EQ (plugin->getCurrentProgram(), 1);

    auto held = vimbrel::test::reloadedCopyOf (*plugin);
    ASSERT_NE (held, nullptr);
    const auto& slots = held->getParameters();
    EXPECT_EQ (held->getCurrentProgram(), 1);
    EXPECT_EQ (slots[Slot::length]->getValue(), 0.6f);
    EXPECT_EQ (slots[Slot::input]->getValue(), 0.4f);
    EXPECT_EQ (slots[Slot::stereoFeedback1]->getValue(), 1.0f);
    EXPECT_EQ (slots[Slot::oversampling]->getValue(), 0.5f);
    EXPECT_EQ (slots[Slot::length]->getCurrentValueAsText(), "60 %");
}
} // namespace

// After a program the host chose, the host's own view of every slot, which its automation lanes
// start from, comes to equal what the plug-in holds while blocks play.
TEST (HostedPrograms, TheHostsViewFollowsAProgramItChose)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);

    for (const int program : { 3, 1, 0 })
    {
        plugin->setCurrentProgram (program);

        std::unique_ptr<juce::AudioPluginInstance> held;
        juce::StringArray differing;
        const auto viewEqualsThePlugin = [&]
        {
            vimbrel::test::processOneBlock (*plugin);
            held = vimbrel::test::reloadedCopyOf (*plugin);
            differing.clear();
            for (auto* slot : held->getParameters())
                if (slot->isAutomatable() && slot->getName (100) != "Program" &&
                    plugin->getParameters()[slot->getParameterIndex()]->getValue() != slot->getValue())
                    differing.add (slot->getName (100));
            return differing.isEmpty();
        };

        EXPECT_TRUE (vimbrel::test::runMessageLoopUntil (viewEqualsThePlugin, 2000))
            << "program " << program << ": the host's view differs in " << differing.joinIntoString (", ");
        EXPECT_EQ (held->getCurrentProgram(), program);
    }
}
