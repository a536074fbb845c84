#include "MessageLoop.h"

#include <juce_events/juce_events.h>

#include <memory>

namespace juce
{
// The framework's own step of its message loop (the plug-in is built without modal loops,
// so the public loop-running calls are not available to the tests).
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace vimbrel::test
{
bool runMessageLoopUntil (const std::function<bool()>& condition, int timeoutMilliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMilliseconds;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return false;

        if (! juce::dispatchNextMessageOnSystemQueue (true))
            juce::Thread::sleep (1);
    }

    return true;
}

bool deliverPostedMessages (int timeoutMilliseconds)
{
    // Shared with the message, which may still arrive after a timeout.
    auto delivered = std::make_shared<bool> (false);
    juce::MessageManager::callAsync ([delivered] { *delivered = true; });
    return runMessageLoopUntil ([&] { return *delivered; }, timeoutMilliseconds);
}

bool letTimersOfPeriodFire (int periodMilliseconds, int timeoutMilliseconds)
{
    struct Marker : juce::Timer
    {
        void timerCallback() override
        {
            fired = true;
            stopTimer();
        }

        bool fired = false;
    };

    Marker marker;
    marker.startTimer (periodMilliseconds);
    return runMessageLoopUntil ([&] { return marker.fired; }, timeoutMilliseconds);
}
} // namespace vimbrel::test
