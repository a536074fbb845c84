#pragma once

#include "EchoPluginProcessor.h"

#include <array>

// How a host shows a slot's value, in the panel's terms.
enum class SlotText
{
    none,         // a slot that keeps nothing a host can set
    percent,      // "50 %"
    decibels,     // the tone shelf, -6 to +6 dB
    repeatMode,   // the repeat mode's value, three decimals
    headPosition, // "Mode: " and the selector position 1 to 12
    stageCount,   // "1 stage" to "4 stages"
    tempo,        // the manual tempo in BPM
    onAtOne,      // a tempo source or beat key: on only at exactly 1
    onUnlessZero  // a character key: on at any value but 0
};

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
    SlotText text;                              // how a host shows the value

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
        // slot                  name                    field                 scale default       automatable attribute    program field           text
        { Slot::input,           "input volume",         &P::finput,           1,   0.5f,         true,  "finput",          &Program::finput,          SlotText::percent },
        { Slot::length,          "Lenght",               &P::flenght,          1,   0.5f,         true,  "flenght",         &Program::flenght,         SlotText::percent },
        { Slot::tone,            "tone",                 &P::ftone,            1,   0.5f,         true,  "ftone",           &Program::ftone,           SlotText::decibels },
        { Slot::volume,          "Volume",               &P::fvolume,          1,   0.8f,         true,  "fvolume",         &Program::fvolume,         SlotText::percent },
        { Slot::selection,       "Selection",            &P::fselection,       1,   0.33f,        true,  "fselection",      &Program::fselection,      SlotText::repeatMode },
        { Slot::delaySelection,  "Delay Selection",      &P::fdelayselection,  1,   7.0f / 12.0f, true,  "fdelayselection", &Program::fdelayselection, SlotText::headPosition },
        { Slot::levelStep,       unnamedSlot,            &P::levelStep,        1,   0.0f,         false, nullptr,           nullptr,                   SlotText::none },
        { Slot::unused7,         unnamedSlot,            nullptr,              1,   0.0f,         false, nullptr,           nullptr,                   SlotText::none },
        { Slot::unused8,         unnamedSlot,            nullptr,              1,   0.0f,         false, nullptr,           nullptr,                   SlotText::none },
        { Slot::oversampling,    "Oversampling",         &P::foversampling,    1,   0.0f,         true,  "foversampling",   nullptr,                   SlotText::stageCount },
        { Slot::manualBpm,       "Manual tempo",         &P::fbpm,             200, 0.5f,         true,  "fbpm",            nullptr,                   SlotText::tempo },
        { Slot::manualSource,    "Tempo source manual",  &P::fbpmmanual,       1,   0.5f,         true,  "fbpmmanual",      &Program::fbpmmanual,      SlotText::onAtOne },
        { Slot::hostSource,      "Tempo source host",    &P::fbpmhost,         1,   1.0f,         true,  "fbpmhost",        &Program::fbpmhost,        SlotText::onAtOne },
        { Slot::classicSource,   "Tempo source classic", &P::fbpmclassic,      1,   0.0f,         true,  "fbpmclassic",     &Program::fbpmclassic,     SlotText::onAtOne },
        { Slot::spareTempo,      unnamedSlot,            &P::spareTempo,       200, 0.5f,         false, nullptr,           nullptr,                   SlotText::none },
        { Slot::stereoFeedback1, "Stereo feedback 1",    &P::fbtn1,            1,   0.0f,         true,  "fbtn1",           &Program::fbtn1,           SlotText::onUnlessZero },
        { Slot::doubleTime,      "Double time",          &P::fbtn2,            1,   0.0f,         true,  "fbtn2",           &Program::fbtn2,           SlotText::onUnlessZero },
        { Slot::stereoFeedback2, "Stereo feedback 2",    &P::fbtn3,            1,   0.0f,         true,  "fbtn3",           &Program::fbtn3,           SlotText::onUnlessZero },
        { Slot::beat58,          "Beat 5/8",             &P::fbtn58,           1,   0.0f,         true,  "fbtn58",          &Program::fbtn58,          SlotText::onAtOne },
        { Slot::beat68,          "Beat 6/8",             &P::fbtn68,           1,   0.0f,         true,  "fbtn68",          &Program::fbtn68,          SlotText::onAtOne },
        { Slot::beat78,          "Beat 7/8",             &P::fbtn78,           1,   0.0f,         true,  "fbtn78",          &Program::fbtn78,          SlotText::onAtOne },
        { Slot::beat88,          "Beat 8/8",             &P::fbtn88,           1,   1.0f,         true,  "fbtn88",          &Program::fbtn88,          SlotText::onAtOne },
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

constexpr bool sameText (const char* a, const char* b)
{
    for (; *a != 0 || *b != 0; ++a, ++b)
        if (*a != *b)
            return false;
    return true;
}

// A host lists the automatable slots by name: each has a name of its own and a text for its
// value; the slots that keep nothing a host can set have neither.
constexpr bool automatableSlotsAreNamedAndShown()
{
    for (const auto& row : slotRows)
    {
        const bool namedAndShown = ! sameText (row.name, unnamedSlot) && row.text != SlotText::none;
        if (row.automatable != namedAndShown)
            return false;

        for (const auto& other : slotRows)
            if (&other != &row && other.automatable && row.automatable && sameText (other.name, row.name))
                return false;
    }
    return true;
}
static_assert (automatableSlotsAreNamedAndShown());

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
