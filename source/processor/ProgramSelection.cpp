#include "EchoPluginProcessor.h"

namespace
{
bool isProgram (std::int64_t index) noexcept { return index >= 0 && index < NewProjectAudioProcessor::numPrograms; }

// The slots a program writes, in the order it writes them.
constexpr std::array<int, 16> programSlots { 0, 1, 2, 3, 4, 5, 15, 16, 17, 11, 12, 13, 18, 19, 20, 21 };
} // namespace

int NewProjectAudioProcessor::getNumPrograms() { return numPrograms; }

int NewProjectAudioProcessor::getCurrentProgram() { return curProgram; }

void NewProjectAudioProcessor::setCurrentProgram (int index)
{
    if (! isProgram (index))
        return;

    const auto program = programs[(size_t) index];
    const std::array<float, 16> values { program.finput,     program.flenght,    program.ftone,
                                         program.fvolume,    program.fselection, program.fdelayselection,
                                         program.fbtn1,      program.fbtn2,      program.fbtn3,
                                         program.fbpmmanual, program.fbpmhost,   program.fbpmclassic,
                                         program.fbtn58,     program.fbtn68,     program.fbtn78,
                                         program.fbtn88 };
    curProgram = index;

    for (size_t i = 0; i < programSlots.size(); ++i)
        setParameter (programSlots[i], values[i]);

    announceParameterValues();
    updateHostDisplay (ChangeDetails().withProgramChanged (true));
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

    to.finput = from.finput;
    to.flenght = from.flenght;
    to.ftone = from.ftone;
    to.fvolume = from.fvolume;
    to.fselection = from.fselection;
    to.fdelayselection = from.fdelayselection;
    to.fbtn1 = from.fbtn1;
    to.fbtn2 = from.fbtn2;
    to.fbtn3 = from.fbtn3;
    to.fbtn58 = from.fbtn58;
    to.fbtn68 = from.fbtn68;
    to.fbtn78 = from.fbtn78;
    to.fbtn88 = from.fbtn88;
    to.fbpmclassic = from.fbpmclassic;
    to.fbpmhost = from.fbpmhost;
    to.fbpmmanual = from.fbpmmanual;
}

void NewProjectAudioProcessor::announceParameterValues()
{
    // A program change or a restored state rewrites the slots behind the host's back; tell
    // the host's parameter listeners the new values so that its display follows.
    for (int slot = 0; slot < numParameterSlots; ++slot)
        if (isParameterAutomatable (slot))
            sendParamChangeMessageToListeners (slot, getParameter (slot));
}
