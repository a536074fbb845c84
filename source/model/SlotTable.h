#pragma once

// The host's 22 parameter slots, by what each one holds. The numbers are the host's parameter
// indices: saved projects and automation refer to them, so they never change.
// processor/SlotRows.h holds what the plug-in knows about each one.
namespace Slot
{
enum Index : int
{
    input = 0,
    length = 1,
    tone = 2,
    volume = 3,
    selection = 4,      // repeat mode
    delaySelection = 5, // head selector
    levelStep = 6,      // the meter's value, written by the engine
    unused7 = 7,        // keeps nothing
    unused8 = 8,        // keeps nothing
    oversampling = 9,   // stage count
    manualBpm = 10,
    manualSource = 11,
    hostSource = 12,
    classicSource = 13,
    spareTempo = 14, // kept, but the sound does not use it
    stereoFeedback1 = 15,
    doubleTime = 16,
    stereoFeedback2 = 17,
    beat58 = 18,
    beat68 = 19,
    beat78 = 20,
    beat88 = 21,
    count = 22
};
} // namespace Slot
