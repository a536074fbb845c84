#include "EchoPluginEditor.h"

#include <cmath>

namespace
{
// A host may store anything in a slot; a value that is not a number shows as the control's
// lowest position instead of reaching the drawing code.
double shown (float value) { return std::isnan (value) ? 0.0 : (double) value; }
} // namespace

int NewProjectAudioProcessorEditor::slotOf (const juce::Slider* slider) const
{
    if (slider == &inputSlider)
        return 0;
    if (slider == &lengthSlider)
        return 1;
    if (slider == &toneSlider)
        return 2;
    if (slider == &volumeSlider)
        return 3;
    if (slider == &selectionSlider)
        return 4;
    if (slider == &delaySelectionSlider)
        return 5;
    if (slider == &bpmSlider)
        return 10;
    return -1;
}

void NewProjectAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    if (const auto slot = slotOf (slider); slot >= 0)
        processor->setParameterNotifyingHost (slot, (float) slider->getValue());
}

void NewProjectAudioProcessorEditor::sliderDragStarted (juce::Slider* slider)
{
    if (const auto slot = slotOf (slider); slot >= 0)
        processor->beginParameterChangeGesture (slot);
}

void NewProjectAudioProcessorEditor::sliderDragEnded (juce::Slider* slider)
{
    if (const auto slot = slotOf (slider); slot >= 0)
        processor->endParameterChangeGesture (slot);
}

void NewProjectAudioProcessorEditor::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == processor)
        updateControls();
}

void NewProjectAudioProcessorEditor::timerCallback()
{
    vuSlider.setValue (shown (processor->levelStep), juce::dontSendNotification);
}

void NewProjectAudioProcessorEditor::updateControls()
{
    const auto& p = *processor;

    inputSlider.setValue (shown (p.finput), juce::dontSendNotification);
    lengthSlider.setValue (shown (p.flenght), juce::dontSendNotification);
    volumeSlider.setValue (shown (p.fvolume), juce::dontSendNotification);
    toneSlider.setValue (shown (p.ftone), juce::dontSendNotification);
    selectionSlider.setValue (shown (p.fselection), juce::dontSendNotification);
    delaySelectionSlider.setValue (shown (p.fdelayselection), juce::dontSendNotification);
    bpmSlider.setValue (shown (p.fbpm / 200.0f), juce::dontSendNotification);

    oversamplingIndex = p.foversampling * 4.0f;
    tempoValueLabel.setText (juce::String (p.effectiveBpm), juce::dontSendNotification);

    // A character button whose state changes here runs its click handler, which writes the
    // slot back with host notification: only exactly 1.0 counts as on.
    btn1Button.setToggleState (p.fbtn1 == 1.0f, juce::sendNotification);
    btn2Button.setToggleState (p.fbtn2 == 1.0f, juce::sendNotification);
    btn3Button.setToggleState (p.fbtn3 == 1.0f, juce::sendNotification);

    // The radio groups follow silently; any non-zero slot counts as on, the later one in this
    // order winning within a group.
    const std::pair<juce::Button*, int> radioKeys[] = {
        { &btn58Button, 18 },     { &btn68Button, 19 },   { &btn78Button, 20 },      { &btn88Button, 21 },
        { &btnmanualButton, 11 }, { &btnhostButton, 12 }, { &btnclassicButton, 13 },
    };

    for (const auto& [button, slot] : radioKeys)
        button->setToggleState (processor->getParameter (slot) != 0.0f, juce::dontSendNotification);
}
