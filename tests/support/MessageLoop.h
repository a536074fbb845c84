#pragma once

#include <functional>

namespace vimbrel::test
{
// Runs the message loop of the test thread (which is the message thread) until the condition
// holds or the time is up; tells which. Posted messages, asynchronous updates and timer
// callbacks are delivered meanwhile.
bool runMessageLoopUntil (const std::function<bool()>& condition, int timeoutMilliseconds);

// Runs the loop until everything posted before the call has been delivered: the queue is
// first in, first out, so a message posted now arrives after all of it.
bool deliverPostedMessages (int timeoutMilliseconds = 5000);

// Runs the loop until a timer of this period, started now, has fired. The framework fires
// its timers in the order they fall due, so every timer of this period or a shorter one that
// was already running has then fired at least once; and the timer's call, itself a posted
// message, comes after everything posted before.
bool letTimersOfPeriodFire (int periodMilliseconds, int timeoutMilliseconds = 5000);
} // namespace vimbrel::test
