#pragma once

#include "EchoPluginProcessor.h"

#include <array>

// Everything the plug-in knows about one host slot. Reading, writing, naming, the saved state
// and the factory programs all look a slot up here instead of restating what it means.
struct SlotRow
{
    Slot::Index slot;
    const char* name;
    RelaxedAtomic<float> NewProjectAudioProcessor::*field; // null: the slot keeps nothing
    int scale;                                             // the field holds the host's value times this
    float hostDefault;                                     // what the host shows, not the starting value
    // The level meter (written by the engine) and the slots that keep nothing a user sets are
    // neither offered for automation nor recorded.
    bool automatable;
    const char* attribute;                      // its name in a saved state; null: not saved
    float Vimbrel2FilterProgram::*programField; // null: programs leave the slot alone

    // The tempo slots keep beats per minute, which the host sees divided by 200 (divided in float,
    // multiplied in double: saved projects depend on both). Every other slot keeps the host's
    // value bit for bit.
    float toHost (float fieldValue) const noexcept { return scale == 1 ? fieldValue : fieldValue / (float) scale; }
    float toField (float hostValue) const noexcept
    {
        return scale == 1 ? hostValue : (float) (hostValue * (double) scale);
    }
};

inline constexpr const char* unnamedSlot = "No Parameter";

constexpr std::array<SlotRow, Slot::count> makeSlotRows()
{
    using P = NewProjectAudioProcessor;
    using Program = Vimbrel2FilterProgram;

    // clang-format off
    return { {
        // slot                  name                 field                 scale default       automatable attribute    program field
        { Slot::input,           "input volume",      &P::finput,           1,   0.5f,         true,  "finput",          &Program::finput },
        { Slot::length,          "Lenght",            &P::flenght,          1,   0.5f,         true,  "flenght",         &Program::flenght },
        { Slot::tone,            "tone",              &P::ftone,            1,   0.5f,         true,  "ftone",           &Program::ftone },
        { Slot::volume,          "Volume",            &P::fvolume,          1,   0.8f,         true,  "fvolume",         &Program::fvolume },
        { Slot::selection,       "Selection",         &P::fselection,       1,   0.33f,        true,  "fselection",      &Program::fselection },
        { Slot::delaySelection,  "Delay Selection",   &P::fdelayselection,  1,   7.0f / 12.0f, true,  "fdelayselection", &Program::fdelayselection },
        { Slot::levelStep,       unnamedSlot,         &P::levelStep,        1,   0.0f,         false, nullptr,           nullptr },
        { Slot::unused7,         unnamedSlot,         nullptr,              1,   0.0f,         false, nullptr,           nullptr },
        { Slot::unused8,         unnamedSlot,         nullptr,              1,   0.0f,         false, nullptr,           nullptr },
        { Slot::oversampling,    "Oversampling",      &P::foversampling,    1,   0.0f,         true,  "foversampling",   nullptr },
        { Slot::manualBpm,       unnamedSlot,         &P::fbpm,             200, 0.5f,         true,  "fbpm",            nullptr },
        { Slot::manualSource,    unnamedSlot,         &P::fbpmmanual,       1,   0.5f,         true,  "fbpmmanual",      &Program::fbpmmanual },
        { Slot::hostSource,      unnamedSlot,         &P::fbpmhost,         1,   1.0f,         true,  "fbpmhost",        &Program::fbpmhost },
        { Slot::classicSource,   unnamedSlot,         &P::fbpmclassic,      1,   0.0f,         true,  "fbpmclassic",     &Program::fbpmclassic },
        { Slot::spareTempo,      unnamedSlot,         &P::spareTempo,       200, 0.5f,         false, nullptr,           nullptr },
        { Slot::stereoFeedback1, "Stereo feedback 1", &P::fbtn1,            1,   0.0f,         true,  "fbtn1",           &Program::fbtn1 },
        { Slot::doubleTime,      "Double time",       &P::fbtn2,            1,   0.0f,         true,  "fbtn2",           &Program::fbtn2 },
        { Slot::stereoFeedback2, "Stereo feedback 2", &P::fbtn3,            1,   0.0f,         true,  "fbtn3",           &Program::fbtn3 },
        { Slot::beat58,          unnamedSlot,         &P::fbtn58,           1,   0.0f,         true,  "fbtn58",          &Program::fbtn58 },
        { Slot::beat68,          unnamedSlot,         &P::fbtn68,           1,   0.0f,         true,  "fbtn68",          &Program::fbtn68 },
        { Slot::beat78,          unnamedSlot,         &P::fbtn78,           1,   0.0f,         true,  "fbtn78",          &Program::fbtn78 },
        { Slot::beat88,          unnamedSlot,         &P::fbtn88,           1,   1.0f,         true,  "fbtn88",          &Program::fbtn88 },
    } };
    // clang-format on
}

inline constexpr auto slotRows = makeSlotRows();

constexpr bool rowsAreInSlotOrder()
{
    for (int i = 0; i < Slot::count; ++i)
        if (slotRows[(size_t) i].slot != i)
            return false;
    return true;
}
static_assert (rowsAreInSlotOrder(), "a slot's row sits at its index");

// The row of a host index, or null for an index outside the slots.
inline const SlotRow* findSlotRow (int index) noexcept
{
    return index >= 0 && index < Slot::count ? &slotRows[(size_t) index] : nullptr;
}

// Whether an ordered list of slots holds, once each, exactly the slots whose row fills a column.
template <typename Column, std::size_t size>
constexpr bool listsExactlyTheSlotsWith (Column SlotRow::*column, const std::array<Slot::Index, size>& slots)
{
    std::size_t filled = 0;
    for (const auto& row : slotRows)
        if (row.*column != nullptr)
            ++filled;

    for (std::size_t i = 0; i < size; ++i)
    {
        if (slotRows[(size_t) slots[i]].*column == nullptr)
            return false;

        for (std::size_t j = 0; j < i; ++j)
            if (slots[j] == slots[i])
                return false;
    }

    return filled == size;
}
