#pragma once

#include <functional>

namespace vimbrel::test
{
// Runs the message loop of the test thread (which is the message thread) for the given time,
// delivering posted messages, asynchronous updates and timer callbacks.
void runMessageLoop (int milliseconds);

// Runs the message loop until the condition holds or the time is up; tells which.
bool runMessageLoopUntil (const std::function<bool()>& condition, int timeoutMilliseconds);
} // namespace vimbrel::test
