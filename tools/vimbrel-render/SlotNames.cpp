#include "SlotNames.h"

#include "RenderOptions.h"

#include "processor/SlotRows.h"

namespace vimbrel::render
{
namespace
{
// The panel's words for its controls (the legends tools/panel-artwork prints, in the README's
// case), which users know the slots by as well as by the host's names. The oversampling choice
// of the settings dialog sets how many delay stages each head passes, hence "Stages".
struct PanelName
{
    Slot::Index slot;
    const char* name;
};

constexpr PanelName panelNames[] = {
    { Slot::input, "Input" },
    { Slot::length, "Length" },
    { Slot::tone, "Tone" },
    { Slot::volume, "Volume" },
    { Slot::selection, "Mode" },
    { Slot::delaySelection, "Heads" },
    { Slot::levelStep, "Level" },
    { Slot::oversampling, "Stages" },
    { Slot::manualBpm, "Manual tempo" },
    { Slot::manualSource, "Manual" },
    { Slot::hostSource, "Host" },
    { Slot::classicSource, "Classic" },
    { Slot::stereoFeedback1, "Stereo FB 1" },
    { Slot::doubleTime, "Double time" },
    { Slot::stereoFeedback2, "Stereo FB 2" },
    { Slot::beat58, "Beat 5/8" },
    { Slot::beat68, "Beat 6/8" },
    { Slot::beat78, "Beat 7/8" },
    { Slot::beat88, "Beat 8/8" },
};

int slotNamed (const std::string& name)
{
    if (const int index = indexIn (name, Slot::count); index >= 0)
        return index;

    const juce::String wanted (name);
    for (const auto& row : slotRows)
        if ((row.name != unnamedSlot && wanted.equalsIgnoreCase (row.name)) ||
            (panelName (row.slot) != nullptr && wanted.equalsIgnoreCase (panelName (row.slot))))
            return row.slot;

    throw UsageError ("unknown parameter '" + name +
                      "' (a name such as Lenght, tone, Volume, \"Delay Selection\", a word on the panel such as "
                      "Length or Heads, or a slot 0 to 21; see --list)");
}
} // namespace

const char* panelName (int slot)
{
    for (const auto& entry : panelNames)
        if (entry.slot == slot)
            return entry.name;
    return nullptr;
}

int settableSlotNamed (const std::string& name)
{
    const int slot = slotNamed (name);
    if (! slotRows[(size_t) slot].automatable)
    {
        const auto index = std::to_string (slot);
        throw UsageError ("slot " + index + (name != index ? " (" + name + ")" : "") + " keeps nothing a host can set");
    }
    return slot;
}
} // namespace vimbrel::render
