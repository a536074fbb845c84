#include "ConformanceHost.h"
#include "RawComponentState.h"

#include <mutex>

namespace
{
using namespace vimbrel::conformance;
using vimbrel::test::OpenWindow;
using vimbrel::test::parameterNamed;
using vimbrel::test::runMessageLoopUntil;

bool hasDisplay() { return juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isNotEmpty(); }

// What a thread other than the test's saw go wrong; the test reports it afterwards.
struct Findings
{
    void add (const std::string& finding)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        if (list.size() < 10)
            list.push_back (finding);
    }

    std::string text()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        std::string all;
        for (const auto& finding : list)
            all += finding + "\n";
        return all;
    }

    std::mutex mutex;
    std::vector<std::string> list;
};

// As a validator automates: before every 32-sample block the audio thread gives every
// automatable parameter, the program among them, a new random value, while a second thread
// writes parameters at random and the window is open on the message thread.
TEST (ConformanceAutomation, EveryParameterAndTheProgramEvery32SamplesFromThreeThreads)
{
    if (! hasDisplay())
        GTEST_SKIP() << "needs a display (scripts/test provides a virtual one)";

    const auto seed = seedFor (4);
    VIMBREL_TRACE_SEED (seed);

    constexpr int blockSize = 32;
    auto plugin = loadBuiltPlugin (48000.0, blockSize);
    ASSERT_NE (plugin, nullptr);

    std::vector<juce::AudioProcessorParameter*> automated;
    for (auto* parameter : plugin->getParameters())
        if (parameter->isAutomatable())
            automated.push_back (parameter);
    auto* program = parameterNamed (*plugin, "Program");
    ASSERT_NE (program, nullptr);
    if (std::find (automated.begin(), automated.end(), program) == automated.end())
        automated.push_back (program);
    ASSERT_GE (automated.size(), 19u); // 18 slots, the program, and the bypass where offered

    OpenWindow window (*plugin);
    ASSERT_NE (window.editor, nullptr);
    ASSERT_TRUE (runMessageLoopUntil ([&] { return window.editor->isShowing(); }, 5000));

    Findings findings;
    std::mt19937 audioRandom (seed);
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    juce::int64 position = 0;

    AudioThread audio (
        [&]
        {
            for (auto* parameter : automated)
                parameter->setValue (unit (audioRandom));

            fill (buffer, position % 9600 < 4800 ? Signal::noise : Signal::silence, audioRandom, position);
            plugin->processBlock (buffer, midi);
            position += blockSize;

            if (const auto bad = firstBadSample (buffer, 2); ! bad.empty())
                findings.add ("at sample " + std::to_string (position) + ": " + bad);
        });

    std::atomic<bool> writing { true };
    std::atomic<int> writes { 0 };
    std::thread writer (
        [&]
        {
            std::mt19937 writerRandom (seed + 1);
            std::uniform_int_distribution<size_t> which (0, automated.size() - 1);
            while (writing)
            {
                automated[which (writerRandom)]->setValue (unit (writerRandom));
                ++writes;
                std::this_thread::sleep_for (std::chrono::microseconds (100));
            }
        });

    // Three seconds of audio, at least, while the window refreshes.
    const bool played = runMessageLoopUntil ([&] { return audio.blocks() >= 3 * 48000 / blockSize; }, 60000);
    writing = false;
    writer.join();
    audio.stop();

    EXPECT_TRUE (played) << "only " << audio.blocks() << " blocks in a minute";
    EXPECT_GT (writes.load(), 100);
    EXPECT_EQ (findings.text(), "");
    EXPECT_TRUE (window.editor->isShowing());
    EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
}

// A host may change the program from any of its threads (a sequencer, a remote control): each
// change reaches the plug-in, whose settings, saved state and tail follow, with the host playing a
// block and turning its message loop after each. The settings are read back from the saved state
// by a second instance: the host's own view of the slots after such a change is the framework's
// business, and in this framework version stays behind (the plug-in's report of the new values,
// made inside the host's parameter callback, is dropped by the framework's VST3 layer).
TEST (ConformanceAutomation, AProgramChangeFromAnotherThreadIsApplied)
{
    auto plugin = loadBuiltPlugin (48000.0, 256);
    auto reader = loadBuiltPlugin (48000.0, 256);
    ASSERT_NE (plugin, nullptr);
    ASSERT_NE (reader, nullptr);
    const auto& read = reader->getParameters();

    struct Case
    {
        int program;
        float selection, length;
        bool echoKeepsGoing;
    };

    // Back to the start at the end, so that every change is a change.
    const Case cases[] = { { 1, 0.66f, 0.6f, true },  { 2, 0.99f, 0.4f, true }, { 3, 0.99f, 0.4f, true },
                           { 4, 0.33f, 0.4f, false }, { 5, 0.99f, 0.4f, true }, { 0, 0.33f, 0.17f, false } };

    for (const auto& c : cases)
    {
        std::thread changer ([&] { plugin->setCurrentProgram (c.program); });
        changer.join();
        vimbrel::test::processOneBlock (*plugin, 256);

        EXPECT_TRUE (runMessageLoopUntil (
            [&] {
                return plugin->getCurrentProgram() == c.program &&
                       std::isinf (plugin->getTailLengthSeconds()) == c.echoKeepsGoing;
            },
            5000))
            << "program " << c.program << ": the host shows program " << plugin->getCurrentProgram() << ", a tail of "
            << plugin->getTailLengthSeconds() << " s";

        vimbrel::host::restoreComponentState (*reader, vimbrel::host::componentStateOf (*plugin));
        EXPECT_TRUE (runMessageLoopUntil (
            [&]
            { return read[Slot::selection]->getValue() == c.selection && read[Slot::length]->getValue() == c.length; },
            5000))
            << "program " << c.program << ": the saved state holds Selection " << read[Slot::selection]->getValue()
            << ", Lenght " << read[Slot::length]->getValue();
    }
}
// The same while the host's audio thread runs at the same time, as it would in a playing host:
// every change sticks, including quick changes back to a program chosen just before.
TEST (ConformanceAutomation, ProgramChangesFromAnotherThreadStickWhileTheAudioRuns)
{
    auto plugin = loadBuiltPlugin (48000.0, 256);
    auto reader = loadBuiltPlugin (48000.0, 256);
    ASSERT_NE (plugin, nullptr);
    ASSERT_NE (reader, nullptr);
    const auto& read = reader->getParameters();

    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;
    AudioThread audio (
        [&]
        {
            buffer.clear();
            plugin->processBlock (buffer, midi);
        });

    const float selections[] = { 0.33f, 0.66f, 0.99f, 0.99f, 0.33f, 0.99f };
    const float lengths[] = { 0.17f, 0.6f, 0.4f, 0.4f, 0.4f, 0.4f };

    for (int round = 0; round < 3; ++round)
        for (int program : { 1, 2, 3, 4, 5, 0 })
        {
            std::thread changer ([&] { plugin->setCurrentProgram (program); });
            changer.join();
            EXPECT_EQ (plugin->getCurrentProgram(), program);

            vimbrel::host::restoreComponentState (*reader, vimbrel::host::componentStateOf (*plugin));
            EXPECT_TRUE (runMessageLoopUntil (
                [&]
                {
                    return reader->getCurrentProgram() == program &&
                           read[Slot::selection]->getValue() == selections[program] &&
                           read[Slot::length]->getValue() == lengths[program];
                },
                2000))
                << "round " << round << ", program " << program << ": the plug-in holds program "
                << reader->getCurrentProgram() << ", Selection " << read[Slot::selection]->getValue() << ", Lenght "
                << read[Slot::length]->getValue();
        }
}
} // namespace
