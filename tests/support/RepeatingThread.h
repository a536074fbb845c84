#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace vimbrel::test
{
// A thread that repeats a step until stopped, counting the steps it made: a host's audio thread
// playing block after block, or one that writes parameters or changes programs meanwhile. The
// pause after each step leaves the other threads time, as an audio device's wait between blocks
// does.
class RepeatingThread
{
public:
    explicit RepeatingThread (std::function<void()> stepToRepeat,
                              std::chrono::microseconds pauseAfterEachStep = std::chrono::microseconds (0))
        : step (std::move (stepToRepeat)), pause (pauseAfterEachStep), thread ([this] { run(); })
    {
    }

    ~RepeatingThread() { stop(); }

    RepeatingThread (const RepeatingThread&) = delete;
    RepeatingThread& operator= (const RepeatingThread&) = delete;

    void stop()
    {
        running = false;
        if (thread.joinable())
            thread.join();
    }

    int steps() const { return made.load(); }

private:
    void run()
    {
        while (running)
        {
            step();
            ++made;

            if (pause.count() > 0)
                std::this_thread::sleep_for (pause);
        }
    }

    std::function<void()> step;
    const std::chrono::microseconds pause;
    std::atomic<bool> running { true };
    std::atomic<int> made { 0 };
    std::thread thread; // last: it starts once everything it uses is there
};
} // namespace vimbrel::test
