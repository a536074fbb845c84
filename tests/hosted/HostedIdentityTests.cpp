#include "HostedPlugin.h"
#include "ModuleIdentity.h"

namespace
{
using vimbrel::test::loadBuiltPlugin;

std::array<std::uint8_t, 16> classId (std::array<std::uint8_t, 4> head, std::array<std::uint8_t, 4> second)
{
    std::array<std::uint8_t, 16> id {};
    std::copy (head.begin(), head.end(), id.begin());
    std::copy (second.begin(), second.end(), id.begin() + 4);
    const char codes[] = "KVORVimb";
    std::copy (codes, codes + 8, id.begin() + 8);
    return id;
}

TEST (HostedIdentity, TheFactoryDescribesTheProduct)
{
    const auto identity = vimbrel::host::readModuleIdentity (vimbrel::host::bundleUnderTest());
    ASSERT_TRUE (identity.error.isEmpty()) << identity.error;

    EXPECT_EQ (identity.vendor, "KVOR");
    EXPECT_EQ (identity.url, VIMBREL_HOMEPAGE);
    EXPECT_EQ (identity.email, VIMBREL_EMAIL);
    EXPECT_EQ (identity.flags, 16);
    ASSERT_EQ (identity.classes.size(), 2u);

    const auto& component = identity.classes[0];
    const auto& controller = identity.classes[1];

    EXPECT_EQ (vimbrel::host::toHex (component.classId),
               vimbrel::host::toHex (classId ({ 0xAB, 0xCD, 0xEF, 0x01 }, { 0x91, 0x82, 0xFA, 0xEB })));
    EXPECT_EQ (vimbrel::host::toHex (controller.classId),
               vimbrel::host::toHex (classId ({ 0xAB, 0xCD, 0xEF, 0x01 }, { 0x12, 0x34, 0xAB, 0xCD })));
    EXPECT_EQ (component.category, "Audio Module Class");
    EXPECT_EQ (controller.category, "Component Controller Class");

    for (const auto& entry : identity.classes)
    {
        EXPECT_EQ (entry.name, "FHA_Vimbrel2");
        EXPECT_EQ (entry.vendor, "KVOR");
        EXPECT_EQ (entry.cardinality, 0x7fffffff);
        EXPECT_EQ (entry.subCategories, "Fx|Delay");
        EXPECT_EQ (entry.version, VIMBREL_VERSION);
        EXPECT_EQ (entry.sdkVersion, "VST 3.7.2");
    }
}

TEST (HostedIdentity, TheHostSeesOneStereoInputAndOutput)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);

    EXPECT_EQ (plugin->getName(), "FHA_Vimbrel2");
    EXPECT_EQ (plugin->getPluginDescription().manufacturerName, "KVOR");
    EXPECT_EQ (plugin->getPluginDescription().version, VIMBREL_VERSION);
    EXPECT_FALSE (plugin->acceptsMidi());
    EXPECT_FALSE (plugin->producesMidi());
    ASSERT_EQ (plugin->getBusCount (true), 1);
    ASSERT_EQ (plugin->getBusCount (false), 1);
    EXPECT_EQ (plugin->getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (plugin->getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (plugin->getTotalNumInputChannels(), 2);
    EXPECT_EQ (plugin->getTotalNumOutputChannels(), 2);
}

// Saved projects and their automation refer to parameters by these VST3 IDs: the framework makes
// them from each slot index written as text, the bypass switch after the slots gets the slot
// count, and the program list the SDK's preset ID. Building the plug-in in more formats than the
// VST3 must not change one of them.
TEST (HostedIdentity, TheVst3ParameterIdsAreTheOnesSavedProjectsReferTo)
{
    const juce::String expectedIds[] = { "48",   "49",   "50",   "51",   "52",   "53",   "54",   "55",
                                         "56",   "57",   "1567", "1568", "1569", "1570", "1571", "1572",
                                         "1573", "1574", "1575", "1576", "1598", "1599", "22",   "1886548852" };

    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    const auto& parameters = plugin->getParameters();
    ASSERT_EQ (parameters.size(), (int) std::size (expectedIds));

    for (int i = 0; i < parameters.size(); ++i)
    {
        const auto* hosted = dynamic_cast<juce::HostedAudioProcessorParameter*> (parameters[i]);
        ASSERT_NE (hosted, nullptr) << "parameter " << i;
        EXPECT_EQ (hosted->getParameterID(), expectedIds[i])
            << "parameter " << i << " (" << parameters[i]->getName (64) << ")";
    }
}

TEST (HostedIdentity, TheHostMayPickOnlyMatchingMonoOrStereoLayouts)
{
    const auto mono = juce::AudioChannelSet::mono();
    const auto stereo = juce::AudioChannelSet::stereo();

    struct Case
    {
        const char* name;
        juce::AudioChannelSet in, out;
        bool accepted;
    };

    const Case cases[] = {
        { "mono to mono", mono, mono, true },
        { "stereo to stereo", stereo, stereo, true },
        { "mono to stereo", mono, stereo, false },
        { "stereo to mono", stereo, mono, false },
        { "quadraphonic", juce::AudioChannelSet::quadraphonic(), juce::AudioChannelSet::quadraphonic(), false },
    };

    // A host negotiates layouts before it activates the plug-in.
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->releaseResources();

    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (c.in);
        layout.outputBuses.add (c.out);
        EXPECT_EQ (plugin->checkBusesLayoutSupported (layout), c.accepted) << c.name;
    }
}
} // namespace
