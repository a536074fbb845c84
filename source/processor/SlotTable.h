#pragma once

// The host's 22 parameter slots, by what each one holds. The numbers are the host's parameter
// indices: saved projects and automation refer to them, so they never change.
namespace Slot
{
enum Index : int
{
    input = 0,       // finput
    length = 1,      // flenght
    tone = 2,        // ftone
    volume = 3,      // fvolume
    selection = 4,   // fselection: repeat mode
    delaySelection = 5, // fdelayselection: head selector
    levelStep = 6,   // the meter's value, written by the engine
    unused7 = 7,     // carries nothing
    unused8 = 8,     // carries nothing
    oversampling = 9, // foversampling: stage count
    manualBpm = 10,  // fbpm / 200
    manualSource = 11, // fbpmmanual
    hostSource = 12, // fbpmhost
    classicSource = 13, // fbpmclassic
    spareTempo = 14, // spareTempo / 200
    stereoFeedback1 = 15, // fbtn1
    doubleTime = 16, // fbtn2
    stereoFeedback2 = 17, // fbtn3
    beat58 = 18,     // fbtn58
    beat68 = 19,     // fbtn68
    beat78 = 20,     // fbtn78
    beat88 = 21,     // fbtn88
    count = 22
};
} // namespace Slot
