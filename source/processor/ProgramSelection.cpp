#include "SlotRows.h"

namespace
{
bool isProgram (std::int64_t index) noexcept { return index >= 0 && index < NewProjectAudioProcessor::numPrograms; }

// The slots a program writes, in the order it writes them: the order the program holds them.
constexpr std::array<Slot::Index, 16> programSlots { Slot::input,           Slot::length,     Slot::tone,
                                                     Slot::volume,          Slot::selection,  Slot::delaySelection,
                                                     Slot::stereoFeedback1, Slot::doubleTime, Slot::stereoFeedback2,
                                                     Slot::manualSource,    Slot::hostSource, Slot::classicSource,
                                                     Slot::beat58,          Slot::beat68,     Slot::beat78,
                                                     Slot::beat88 };
static_assert (listsExactlyTheSlotsWith (&SlotRow::programField, programSlots));
} // namespace

int NewProjectAudioProcessor::getNumPrograms() { return numPrograms; }

int NewProjectAudioProcessor::getCurrentProgram() { return curProgram; }

void NewProjectAudioProcessor::setCurrentProgram (int index)
{
    if (! isProgram (index))
        return;

    const auto program = programs[(size_t) index];
    curProgram = index;

    for (const auto slot : programSlots)
        setParameter (slot, program.*slotRows[(size_t) slot].programField);

    // The host chose the program, so no program-change notice goes back to it: the framework's
    // VST3 layer answers one by reporting the program to the host again, later, and a report
    // that arrives after the host has chosen another program selects the earlier one again.
    // The values go back instead.
    reportProgramValuesToTheHost();
}

const juce::String NewProjectAudioProcessor::getProgramName (int index)
{
    return isProgram (index) ? programs[(size_t) index].getName() : juce::String();
}

void NewProjectAudioProcessor::changeProgramName (int index, const juce::String& newName)
{
    if (isProgram (index))
        programs[(size_t) index].setName (newName);
}

void NewProjectAudioProcessor::copyProgram (std::int64_t sourceIndex, std::int64_t destinationIndex)
{
    if (! isProgram (sourceIndex) || ! isProgram (destinationIndex))
        return;

    const auto& from = programs[(size_t) sourceIndex];
    auto& to = programs[(size_t) destinationIndex];

    // Only what a program applies is copied: the name and the spare values stay.
    for (const auto slot : programSlots)
    {
        const auto field = slotRows[(size_t) slot].programField;
        to.*field = from.*field;
    }
}

// Told at once, a host hears the values where the framework passes them on straight away (from
// the message thread). A program chosen elsewhere (by the host's program parameter on the audio
// thread, or from a thread of the host's own) is told once more from the message thread by the
// timer: the framework's VST3 layer hands values to the host's own view only from there.
void NewProjectAudioProcessor::reportProgramValuesToTheHost()
{
    announceParameterValues();
    programValuesToAnnounce = true;
}

void NewProjectAudioProcessor::timerCallback()
{
    if (programValuesToAnnounce.exchange (false))
        announceParameterValues();
}

void NewProjectAudioProcessor::announceParameterValues()
{
    // A program change or a restored state rewrites the slots behind the host's back; tell
    // the host's parameter listeners the new values. The framework's VST3 layer hands them to
    // the host with the next block the plug-in plays, and the host's display follows.
    for (int slot = 0; slot < numParameterSlots; ++slot)
        if (isParameterAutomatable (slot))
            sendParamChangeMessageToListeners (slot, getParameter (slot));
}
