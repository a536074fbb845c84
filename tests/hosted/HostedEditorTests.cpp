#include "HostedPlugin.h"

#include "MessageLoop.h"
#include "RepeatingThread.h"

#include <atomic>
#include <thread>

#include <malloc.h>

namespace
{
using vimbrel::test::loadBuiltPlugin;

constexpr int blocksPerOpening = 8;

// The heap memory this process holds, in bytes, as the allocator counts it.
size_t heapBytes()
{
    const auto info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Plays silence through the plug-in on a thread of its own, as a host's audio thread does. A
// host's audio thread waits for its device between blocks; so this one leaves the message
// thread a core of its own.
class AudioThread : public vimbrel::test::RepeatingThread
{
public:
    explicit AudioThread (juce::AudioPluginInstance& plugin)
        : RepeatingThread (
              [&plugin, buffer = juce::AudioBuffer<float> (2, 256), midi = juce::MidiBuffer()]() mutable
              {
                  buffer.clear();
                  plugin.processBlock (buffer, midi);
              },
              std::chrono::milliseconds (2))
    {
    }

    int blocks() const { return steps(); }
};

// Opens the plug-in's window in a desktop window of the host, keeps it open while the audio
// thread plays several blocks, closes it.
void openAndClose (juce::AudioPluginInstance& plugin, const AudioThread& audio)
{
    std::unique_ptr<juce::AudioProcessorEditor> editor (plugin.createEditorIfNeeded());
    ASSERT_NE (editor, nullptr);

    juce::DocumentWindow window ("FHA_Vimbrel2", juce::Colours::black, 0);
    window.setContentNonOwned (editor.get(), true);
    window.setVisible (true);
    const int blocksBefore = audio.blocks();
    EXPECT_TRUE (vimbrel::test::runMessageLoopUntil (
        [&] { return editor->isShowing() && audio.blocks() >= blocksBefore + blocksPerOpening; }, 5000));

    EXPECT_EQ (editor->getWidth(), 876);
    EXPECT_EQ (editor->getHeight(), 300);

    window.clearContentComponent();
    editor.reset();
    EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
}

TEST (HostedEditor, OpensAndClosesRepeatedlyWhileAudioPlays)
{
    if (juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
        GTEST_SKIP() << "needs a display (scripts/test provides a virtual one)";

    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    AudioThread audio (*plugin);

    // The first openings fill the framework's caches (fonts, decoded pictures).
    for (int i = 0; i < 3; ++i)
        openAndClose (*plugin, audio);

    const auto before = heapBytes();

    for (int i = 0; i < 20; ++i)
        openAndClose (*plugin, audio);

    const auto after = heapBytes();
    EXPECT_GT (audio.blocks(), 100);

    // One window's pictures take several megabytes; twenty leaked windows would show clearly.
    // (Under AddressSanitizer freed memory is held back on purpose, and its leak checker
    // watches instead.)
#if ! defined(__SANITIZE_ADDRESS__)
    EXPECT_LT ((double) after - (double) before, 16.0 * 1024 * 1024)
        << "heap memory grew from " << before << " to " << after << " bytes";
#else
    juce::ignoreUnused (before, after);
#endif
}
} // namespace
