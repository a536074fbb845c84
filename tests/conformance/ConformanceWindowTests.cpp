#include "ConformanceHost.h"

namespace
{
using namespace vimbrel::conformance;
using vimbrel::test::runMessageLoopUntil;

// A host may open the window of an instance it has not prepared yet (a plug-in browser, a
// project opening with its windows): the window opens, and stays while the host prepares the
// instance, plays through it, suspends it and prepares it again at another rate.
TEST (ConformanceWindow, OpensBeforeTheFirstPreparationAndStaysThroughIt)
{
    if (juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
        GTEST_SKIP() << "needs a display (scripts/test provides a virtual one)";

    auto plugin = loadUnpreparedBuiltPlugin();
    ASSERT_NE (plugin, nullptr);

    std::unique_ptr<juce::AudioProcessorEditor> editor (plugin->createEditorIfNeeded());
    ASSERT_NE (editor, nullptr);
    juce::DocumentWindow window ("FHA_Vimbrel2", juce::Colours::black, 0);
    window.setContentNonOwned (editor.get(), true);
    window.setVisible (true);
    ASSERT_TRUE (runMessageLoopUntil ([&] { return editor->isShowing(); }, 5000));
    EXPECT_EQ (editor->getWidth(), 876);
    EXPECT_EQ (editor->getHeight(), 300);

    std::mt19937 random (6);
    juce::MidiBuffer midi;

    for (double rate : { 44100.0, 192000.0 })
    {
        plugin->enableAllBuses();
        plugin->prepareToPlay (rate, 256);
        juce::AudioBuffer<float> buffer (2, 256);

        // A second of audio, the message loop turning between blocks as it would beside a host's
        // audio thread, so that the window's timer and refresh run meanwhile.
        for (int b = 0; b < (int) rate / 256; ++b)
        {
            fill (buffer, b % 40 < 4 ? Signal::noise : Signal::silence, random, 0);
            plugin->processBlock (buffer, midi);
            ASSERT_EQ (firstBadSample (buffer, 2), "") << rate << " Hz, block " << b;

            if (b % 16 == 0)
                vimbrel::test::deliverPostedMessages();
        }

        EXPECT_TRUE (vimbrel::test::letTimersOfPeriodFire (50));
        EXPECT_TRUE (editor->isShowing());
        plugin->releaseResources();
    }

    window.clearContentComponent();
    editor.reset();
    EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
}
} // namespace
