// The audio thread never waits: the built bundle, loaded as a host loads it, plays with its window
// open while the host automates every automatable slot in every block (from the audio thread, as
// a host plays back automation) and another thread changes programs. Inside every process call
// the audio thread may not allocate or free memory, write to a file or socket (which is how a
// message is posted to the framework's message queue), wait, or take any lock but the
// framework's own, named below.

#include "AudioThreadWatch.h"
#include "FixedTempoPlayHead.h"
#include "HostedPlugin.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <mutex>
#include <random>
#include <thread>

namespace
{
using namespace vimbrel::realtime;
using vimbrel::test::OpenWindow;

constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;

// The first block on a new audio thread sets up what lasts: the C library allocates the bundle's
// thread-local storage at its first use on the thread, and the host fills its lists of channel
// pointers. A host's audio thread pays that once, so that block is played but not counted.
constexpr int unwatchedBlocks = 1;
constexpr int watchedBlocks = 2000;

// The locks the plug-in may take in a process call, all the framework's:
// - its callback lock, which the framework's VST3 layer holds around processBlock so that
//   suspendProcessing can wait for a block to end: one per process call;
// - a parameter's listener lock, which AudioProcessorParameter::sendValueChangedMessageToListeners
//   holds while the VST3 layer hands the parameter a new value from the host: one for each
//   automated slot, and one for the program parameter in a block that brings a program change.
// Another thread holds them only for a moment (the message thread a listener lock while a
// program's values are announced to the host); a block that had to wait would count a wait.
constexpr long callbackLocksPerBlock = 1;

long allowedLocks (size_t automatedSlots, bool programMayArrive)
{
    return callbackLocksPerBlock + (long) automatedSlots + (programMayArrive ? 1 : 0);
}

struct Finding
{
    int block;
    Counts counts;
};

// The watch counts what the marked thread does, and only that.
TEST (RealtimeWatch, CountsWhatTheMarkedThreadDoes)
{
    startWatching();
    int sockets[2];
    ASSERT_EQ (socketpair (AF_UNIX, SOCK_STREAM, 0, sockets), 0);
    std::mutex hostLock;
    takeCounts();

    {
        InsideProcess mark;
        ::operator delete (::operator new (64));
        [[maybe_unused]] const auto written = ::write (sockets[0], "x", 1);
        std::this_thread::yield();
        const std::lock_guard<std::mutex> guard (hostLock);
    }

    const auto marked = takeCounts();
    EXPECT_EQ (marked.allocations, 1) << describe (marked);
    EXPECT_EQ (marked.releases, 1) << describe (marked);
    EXPECT_EQ (marked.writes, 1) << describe (marked);
    EXPECT_EQ (marked.socketWrites, 1) << describe (marked);
    EXPECT_EQ (marked.waits, 1) << describe (marked);
    EXPECT_NE (describe (marked).find ("the first wait: a yield, called from "), std::string::npos)
        << describe (marked);
    EXPECT_EQ (marked.locks, 0) << describe (marked) << ": a lock of this program is the host's";

    ::operator delete (::operator new (64));
    EXPECT_EQ (takeCounts().allocations, 0);
    close (sockets[0]);
    close (sockets[1]);
}

TEST (Realtime, ProcessNeitherAllocatesNorWritesNorWaitsWithTheWindowOpenUnderAutomation)
{
    if (juce::SystemStats::getEnvironmentVariable ("DISPLAY", {}).isEmpty())
        GTEST_SKIP() << "needs a display (scripts/test provides a virtual one)";

    startWatching();

    auto plugin = vimbrel::test::loadBuiltPlugin (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);

    // A playing transport: the framework's VST3 layer then takes the host's values from the
    // blocks alone, as in a DAW during playback.
    vimbrel::hostsim::FixedTempoPlayHead playHead;
    plugin->setPlayHead (&playHead);

    std::vector<juce::AudioProcessorParameter*> slots;
    for (int slot = 0; slot < Slot::count; ++slot)
        if (auto* parameter = plugin->getParameters()[slot]; parameter->isAutomatable())
            slots.push_back (parameter);
    ASSERT_EQ (slots.size(), 18u);

    OpenWindow window (*plugin);
    ASSERT_NE (window.editor, nullptr);
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return window.editor->isShowing(); }, 5000));

    std::vector<Finding> findings;
    Counts total;
    std::atomic<bool> audioDone { false };

    // Counted before each change is made, so that the audio thread sees the count move no later
    // than the host can hand the change to the plug-in.
    std::atomic<int> programChanges { 0 };

    std::thread audio (
        [&]
        {
            std::mt19937 random (1);
            std::uniform_real_distribution<float> unit (0.0f, 1.0f);
            juce::AudioBuffer<float> buffer (2, blockSize);
            juce::MidiBuffer midi;

            // The host hands the plug-in a program chosen on the other thread with the first block
            // that starts after the choice: the one during which the choice was counted, or the
            // next one. (Several choices in one block reach the plug-in as the last of them.)
            int programChangesBefore = programChanges;
            bool programChosenDuringLastBlock = false;

            for (int block = 0; block < unwatchedBlocks + watchedBlocks; ++block)
            {
                for (auto* slot : slots)
                    slot->setValue (unit (random));

                for (int channel = 0; channel < 2; ++channel)
                    for (int i = 0; i < blockSize; ++i)
                        buffer.setSample (channel, i, unit (random) * 2.0f - 1.0f);

                {
                    InsideProcess mark;
                    plugin->processBlock (buffer, midi);
                }

                const auto counts = takeCounts();
                const int programChangesAfter = programChanges;
                const bool programChosen = programChangesAfter != programChangesBefore;
                const bool programMayArrive = programChosen || programChosenDuringLastBlock;
                programChangesBefore = programChangesAfter;
                programChosenDuringLastBlock = programChosen;

                if (block >= unwatchedBlocks)
                {
                    total.allocations += counts.allocations;
                    total.releases += counts.releases;
                    total.writes += counts.writes;
                    total.socketWrites += counts.socketWrites;
                    total.waits += counts.waits;
                    total.locks += counts.locks;

                    if (counts.allocations + counts.releases + counts.writes + counts.waits > 0 ||
                        counts.locks > allowedLocks (slots.size(), programMayArrive))
                        findings.push_back ({ block, counts });
                }

                // A device gives the audio thread its next block about a millisecond later.
                std::this_thread::sleep_for (std::chrono::milliseconds (1));
            }

            audioDone = true;
        });

    std::atomic<bool> changingPrograms { true };
    std::thread programs (
        [&]
        {
            std::mt19937 random (2);
            std::uniform_int_distribution<int> anyProgram (0, plugin->getNumPrograms() - 1);
            while (changingPrograms)
            {
                ++programChanges;
                plugin->setCurrentProgram (anyProgram (random));
                std::this_thread::sleep_for (std::chrono::milliseconds (5));
            }
        });

    const bool played = vimbrel::test::runMessageLoopUntil ([&] { return audioDone.load(); }, 120000);
    changingPrograms = false;
    programs.join();
    audio.join();

    ASSERT_TRUE (played);
    std::cout << watchedBlocks << " blocks watched, " << programChanges << " program changes: " << describe (total)
              << "\n";

    std::string firstFindings;
    for (size_t i = 0; i < findings.size() && i < 10; ++i)
        firstFindings += "block " + std::to_string (findings[i].block) + ": " + describe (findings[i].counts) + "\n";
    EXPECT_TRUE (findings.empty()) << findings.size() << " of " << watchedBlocks << " blocks did what an audio thread "
                                   << "must not; the first ones:\n"
                                   << firstFindings;

    // The framework's callback lock was seen in every block: the watch saw the bundle's calls.
    EXPECT_GE (total.locks, (long) watchedBlocks * callbackLocksPerBlock);
    EXPECT_GT (programChanges.load(), 100);
    EXPECT_TRUE (window.editor->isShowing());

    plugin->setPlayHead (nullptr);
}
} // namespace
