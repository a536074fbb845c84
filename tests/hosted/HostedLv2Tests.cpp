#include "HostedPlugin.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstring>

namespace
{
constexpr double rate = 48000.0;
constexpr int blockSize = 512;

// Two seconds of a test signal, block by block: a click on each channel, then noise that fades
// out halfway, so that the echoes of both are heard. Gives what the plug-in plays.
juce::AudioBuffer<float> playTestSignal (juce::AudioPluginInstance& plugin)
{
    const int numBlocks = (int) (2.0 * rate) / blockSize;
    juce::AudioBuffer<float> out (2, numBlocks * blockSize), block (2, blockSize);
    juce::MidiBuffer midi;
    juce::Random random (20261211);

    for (int b = 0; b < numBlocks; ++b)
    {
        for (int i = 0; i < blockSize; ++i)
        {
            const int n = b * blockSize + i;
            const float fade = juce::jmax (0.0f, 1.0f - (float) n / (float) (rate * 0.5));
            for (int c = 0; c < 2; ++c)
                block.setSample (c, i, (n == 100 * (c + 1) ? 0.9f : 0.0f) + 0.3f * fade * (random.nextFloat() - 0.5f));
        }
        plugin.processBlock (block, midi);
        for (int c = 0; c < 2; ++c)
            out.copyFrom (c, b * blockSize, block, c, 0, blockSize);
    }
    return out;
}

// The LV2 and the VST3 wrap the same processor: from the same settings they play the same
// samples, bit for bit, with the defaults and after a factory program.
TEST (HostedLv2, PlaysExactlyWhatTheVst3Plays)
{
    if (vimbrel::test::builtLv2Bundle() == juce::File())
        GTEST_SKIP() << "this build makes no LV2";

    juce::AudioBuffer<float> withDefaults;
    const auto sameSamples = [] (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
    {
        for (int c = 0; c < 2; ++c)
            if (std::memcmp (a.getReadPointer (c), b.getReadPointer (c), sizeof (float) * (size_t) a.getNumSamples()) !=
                0)
                return false;
        return true;
    };

    for (const int program : { -1, 1, 3 })
    {
        auto vst3 = vimbrel::test::loadBuiltPlugin (rate, blockSize);
        auto lv2 = vimbrel::test::loadBuiltLv2Plugin (rate, blockSize);
        ASSERT_NE (vst3, nullptr);
        ASSERT_NE (lv2, nullptr);
        ASSERT_EQ (lv2->getTotalNumOutputChannels(), 2);

        if (program >= 0)
        {
            // The framework's LV2 hosting lists the presets in no fixed order: find it by name.
            ASSERT_EQ (lv2->getNumPrograms(), 6);
            int preset = 0;
            while (preset < 6 && lv2->getProgramName (preset) != vst3->getProgramName (program))
                ++preset;
            ASSERT_LT (preset, 6) << "no LV2 preset is called " << vst3->getProgramName (program);
            vst3->setCurrentProgram (program);
            lv2->setCurrentProgram (preset);
            ASSERT_TRUE (vimbrel::test::deliverPostedMessages());
        }

        const auto fromVst3 = playTestSignal (*vst3);
        const auto fromLv2 = playTestSignal (*lv2);

        EXPECT_GT (fromVst3.getMagnitude (0, (int) rate, (int) rate), 0.01f) << "program " << program;
        int differing = 0, first = -1;
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < fromVst3.getNumSamples(); ++i)
                if (fromVst3.getSample (c, i) != fromLv2.getSample (c, i))
                {
                    ++differing;
                    if (first < 0)
                        first = i;
                }
        EXPECT_EQ (differing, 0) << "program " << program << ": first difference at sample " << first;

        // A program that took plays otherwise than the defaults.
        if (program < 0)
            withDefaults = fromVst3;
        else
            EXPECT_FALSE (sameSamples (fromVst3, withDefaults)) << "program " << program << " plays as the defaults do";
    }
}

// The LV2's host sees the values the plug-in holds, at the start (where they differ from the
// defaults its description gives) and after a preset: its view, what a host's controls and
// automation start from, equals the VST3's values, parameter by parameter of the same name.
TEST (HostedLv2, TheHostSeesTheValuesThePluginHolds)
{
    if (vimbrel::test::builtLv2Bundle() == juce::File())
        GTEST_SKIP() << "this build makes no LV2";

    auto vst3 = vimbrel::test::loadBuiltPlugin (rate, blockSize);
    auto lv2 = vimbrel::test::loadBuiltLv2Plugin (rate, blockSize);
    ASSERT_NE (vst3, nullptr);
    ASSERT_NE (lv2, nullptr);

    const auto expectSameValues = [&] (const char* when)
    {
        vimbrel::test::processOneBlock (*lv2, blockSize);
        const auto held = vimbrel::test::reloadedCopyOf (*vst3);
        ASSERT_NE (held, nullptr);

        for (auto* slot : held->getParameters())
        {
            if (! slot->isAutomatable() || slot->getName (100) == "Bypass" || slot->getName (100) == "Program")
                continue;
            auto* shown = vimbrel::test::parameterNamed (*lv2, slot->getName (100));
            ASSERT_NE (shown, nullptr) << "the LV2 has no parameter " << slot->getName (100);
            EXPECT_EQ (shown->getValue(), slot->getValue()) << when << ": " << slot->getName (100);
        }
    };

    expectSameValues ("at the start");

    int preset = 0;
    while (preset < lv2->getNumPrograms() && lv2->getProgramName (preset) != "Stereo Swell")
        ++preset;
    ASSERT_LT (preset, lv2->getNumPrograms());
    vst3->setCurrentProgram (3);
    lv2->setCurrentProgram (preset);
    ASSERT_TRUE (vimbrel::test::deliverPostedMessages());
    expectSameValues ("after the preset \"Stereo Swell\"");
}

// The framework's LV2 hosting finds a plug-in by its URI in folders of its own choosing, ~/.lv2
// first, so an installed copy of the bundle there is the one it describes. lilv keeps the
// descriptions of both bundles all the same and loads the binary whose address sorts first, so
// which binary a copy brings in depends on where the copy and the build live. That is why the
// tests run in a scratch home; should a copy's binary come in all the same, the loader refuses
// it, naming the binary it got. The copy here is put where its binary sorts first, so that it
// is the one loaded, on any machine.
TEST (HostedLv2, ACopyInTheUsersFolderIsNeverTakenForTheBuild)
{
    const auto built = vimbrel::test::builtLv2Bundle();
    if (built == juce::File())
        GTEST_SKIP() << "this build makes no LV2";

    struct HomeWithACopy
    {
        juce::File folder;
        ~HomeWithACopy() { folder.deleteRecursively(); }
    };
    const auto besideTheBundles = built.getParentDirectory().getParentDirectory();
    const HomeWithACopy home { besideTheBundles.getNonexistentChildFile (".home-with-a-copy", {}, false) };
    const auto copy = home.folder.getChildFile (".lv2").getChildFile (built.getFileName());
    ASSERT_TRUE (copy.createDirectory());
    ASSERT_TRUE (built.copyDirectoryTo (copy));
    const auto binaryName = "lib" + built.getFileNameWithoutExtension() + ".so";
    ASSERT_LT (copy.getChildFile (binaryName).getFullPathName(), built.getChildFile (binaryName).getFullPathName());

    const auto previousHome = juce::SystemStats::getEnvironmentVariable ("HOME", {});
    setenv ("HOME", home.folder.getFullPathName().toRawUTF8(), 1);
    juce::String error;
    auto plugin = vimbrel::host::loadLv2Plugin (built, VIMBREL_LV2_URI, 48000.0, 512, error);
    setenv ("HOME", previousHome.toRawUTF8(), 1);

    EXPECT_EQ (plugin, nullptr) << "the loaded binaries of that name: "
                                << vimbrel::host::loadedBinariesNamedAsIn (built).joinIntoString (", ");
    EXPECT_TRUE (error.contains ("was loaded from " + copy.getFullPathName())) << error;
}
} // namespace
