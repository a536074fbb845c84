#include "SlotRows.h"

#include "../engine/HeadSelector.h"

#include <algorithm>

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
    const auto* row = findSlotRow (index);
    if (row == nullptr || row->field == nullptr)
        return {};

    const float value = this->*row->field;
    const auto onOff = [] (bool on) { return juce::String (on ? "On" : "Off"); };

    switch (row->text)
    {
        case SlotText::percent: return juce::String (value * 100.0f) + " %";
        case SlotText::decibels: return juce::String (12.0f * value - 6.0f, 2) + " dB";
        case SlotText::repeatMode: return juce::String (value, 3) + " ";
        // The knob shows the last position for any value beyond it.
        case SlotText::headPosition: return "Mode: " + juce::String (std::min (HeadSelector::position (value), 12));
        case SlotText::stageCount:
            return juce::String (oversamplingFactor) + (oversamplingFactor == 1 ? " stage" : " stages");
        case SlotText::tempo: return juce::String (value) + " BPM";
        case SlotText::onAtOne: return onOff (KeySlot::choiceIsOn (value));
        case SlotText::onUnlessZero: return onOff (KeySlot::switchIsOn (value));
        case SlotText::none: break;
    }

    return {};
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
