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

// Slot 9 holds the delay stages per head as a quarter for each stage beyond the first: 0, 0.25,
// 0.5 and 0.75 for the settings dialog's one to four stages. A host may store any other value;
// its stage count is the single-precision result below, truncated.
namespace OversamplingSlot
{
// The settings dialog's choice (0 to 3) that a slot value shows.
constexpr float indexOf (float slotValue) noexcept { return slotValue * 4.0f; }

// The stage count of a slot value, before it is truncated to a whole number.
constexpr float stagesOf (float slotValue) noexcept { return indexOf (slotValue) + 1.0f; }

// The slot value of a choice of the settings dialog.
constexpr float valueOf (int index) noexcept { return (float) index / 4.0f; }
} // namespace OversamplingSlot

// When a key's slot counts as on. The tempo sources and the beat-fraction keys are on only at
// exactly 1; the double-time and stereo-feedback keys at any value but 0.
namespace KeySlot
{
constexpr bool choiceIsOn (float slotValue) noexcept { return slotValue == 1.0f; }
constexpr bool switchIsOn (float slotValue) noexcept { return slotValue != 0.0f; }
} // namespace KeySlot
