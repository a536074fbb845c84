#include "SlotRows.h"

int NewProjectAudioProcessor::getNumParameters() { return numParameterSlots; }

float NewProjectAudioProcessor::getParameter (int index)
{
    const auto* row = findSlotRow (index);
    return row != nullptr && row->field != nullptr ? row->toHost (this->*row->field) : 0.0f;
}

void NewProjectAudioProcessor::setParameter (int index, float value)
{
    if (const auto* row = findSlotRow (index); row != nullptr && row->field != nullptr)
        this->*row->field = row->toField (value);

    if (index == Slot::tone)
        designToneShelves();

    setDependentParameters();
    slotsChanged.store (true, std::memory_order_release);
}

void NewProjectAudioProcessor::designToneShelves() { engine.designToneShelves(); }

const juce::String NewProjectAudioProcessor::getParameterName (int index)
{
    const auto* row = findSlotRow (index);
    return row != nullptr ? row->name : unnamedSlot;
}

const juce::String NewProjectAudioProcessor::getParameterText (int index)
{
    switch (index)
    {
        case Slot::input: return juce::String (finput * 100.0f) + " %";
        case Slot::length: return juce::String (flenght * 100.0f) + " %";
        case Slot::tone: return juce::String (12.0f * ftone - 6.0f, 2) + " dB";
        case Slot::volume: return juce::String (fvolume * 100.0f) + " %";
        case Slot::selection: return juce::String (fselection, 3) + " ";
        case Slot::delaySelection: return "Mode: ";
        default: return {};
    }
}

float NewProjectAudioProcessor::getParameterDefaultValue (int index)
{
    const auto* row = findSlotRow (index);
    return row != nullptr ? row->hostDefault : 0.0f;
}

bool NewProjectAudioProcessor::isParameterAutomatable (int index) const
{
    const auto* row = findSlotRow (index);
    return row == nullptr || row->automatable;
}

juce::String NewProjectAudioProcessor::getParameterID (int index)
{
    // An LV2 parameter's name in the plug-in's description may not start with a digit.
    return wrapperType == wrapperType_LV2 ? "p" + juce::String (index) : juce::String (index);
}
