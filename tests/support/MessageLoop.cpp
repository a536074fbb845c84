#include "MessageLoop.h"

#include <juce_events/juce_events.h>

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

void runMessageLoop (int milliseconds)
{
    runMessageLoopUntil ([] { return false; }, milliseconds);
}
} // namespace vimbrel::test
