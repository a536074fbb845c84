#include "EchoPluginEditor.h"

#include <cmath>

namespace
{
// A host may store anything in a slot; a value that is not a number shows as the control's
// lowest position instead of reaching the drawing code.
double shown (float value) { return std::isnan (value) ? 0.0 : (double) value; }

// The slot a knob or the fader writes, or noSlot for any other slider.
int slotOf (const juce::Slider* slider)
{
    const auto* control = panel::controlNamed (slider->getName());
    return control != nullptr ? control->slot : panel::noSlot;
}
} // namespace

void NewProjectAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    if (const auto slot = slotOf (slider); slot != panel::noSlot)
        processor->setParameterNotifyingHost (slot, (float) slider->getValue());
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

void NewProjectAudioProcessorEditor::sliderDragStarted (juce::Slider* slider)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    if (const auto slot = slotOf (slider); slot != panel::noSlot)
        processor->beginParameterChangeGesture (slot);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

void NewProjectAudioProcessorEditor::sliderDragEnded (juce::Slider* slider)
{
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    if (const auto slot = slotOf (slider); slot != panel::noSlot)
        processor->endParameterChangeGesture (slot);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

void NewProjectAudioProcessorEditor::timerCallback()
{
    // Taken before the values are read: a write made meanwhile marks them again for the next tick.
    if (processor->slotsChanged.exchange (false, std::memory_order_acquire))
        updateControls();

    vuSlider.setValue (shown (processor->levelStep), juce::dontSendNotification);
}

void NewProjectAudioProcessorEditor::updateControls()
{
    auto& p = *processor;

    for (const auto* control : panel::controls)
        if (control->kind != panel::Kind::key && control->slot != panel::noSlot)
            dynamic_cast<juce::Slider&> (componentFor (*control))
                .setValue (shown (p.getParameter (control->slot)), juce::dontSendNotification);

    oversamplingIndex = OversamplingSlot::indexOf (p.foversampling);
    tempoValueLabel.setText (juce::String (p.effectiveBpm), juce::dontSendNotification);

    // A character button whose state changes here runs its click handler, which writes the
    // slot back with host notification: only exactly 1.0 counts as on.
    for (const auto* control : panel::controls)
        if (control->kind == panel::Kind::key && control->slot != panel::noSlot && control->radioGroup == 0)
            dynamic_cast<juce::Button&> (componentFor (*control))
                .setToggleState (p.getParameter (control->slot) == 1.0f, juce::sendNotification);

    // The radio groups follow silently; any non-zero slot counts as on, the later key in the
    // panel's order winning within a group.
    for (const auto* control : panel::controls)
        if (control->kind == panel::Kind::key && control->radioGroup != 0)
            dynamic_cast<juce::Button&> (componentFor (*control))
                .setToggleState (p.getParameter (control->slot) != 0.0f, juce::dontSendNotification);
}
