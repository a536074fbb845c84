#include "EchoPluginEditor.h"

#include <cmath>

namespace
{
// The box index a value preselects: its integer part, or no selection for a value that has
// none (a host may have stored anything in the oversampling slot).
int preselectionOf (float value)
{
    if (! std::isfinite (value) || value <= -1.0f || value >= 1000.0f)
        return -1;

    return (int) value;
}
} // namespace

void NewProjectAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    if (button == &fhaButton)
    {
        showSettingsDialog();
        return;
    }

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    if (const auto* control = panel::controlNamed (button->getName());
        control != nullptr && control->slot != panel::noSlot)
        processor->setParameterNotifyingHost (control->slot, button->getToggleState() ? 1.0f : 0.0f);
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
}

void NewProjectAudioProcessorEditor::showSettingsDialog()
{
    // A second click while the dialog is open brings it back to the front.
    if (settingsDialog != nullptr)
    {
        settingsDialog->toFront (true);
        return;
    }

    settingsDialog = std::make_unique<juce::AlertWindow> ("Fernhollow Audio", "Vimbrel2 v1.02",
                                                          juce::MessageBoxIconType::NoIcon, &inputSlider);
    auto& dialog = *settingsDialog;

    dialog.addComboBox ("velsens", { "Not velocity sensitive", "Velocity sensitive" }, "Knob behaviour");
    dialog.addComboBox ("stijl", { "Rotary", "Horizontal drag", "Vertical drag", "Horizontal/Vertical drag" },
                        "Rotary options");
    dialog.addComboBox ("Oversampling", { "1x", "2x", "3x", "4x" }, "Oversampling choices");
    dialog.addTextBlock ("\n");
    dialog.addButton ("OK", 1, juce::KeyPress (juce::KeyPress::returnKey));

    dialog.getComboBoxComponent ("velsens")->setSelectedItemIndex (sens, juce::dontSendNotification);
    dialog.getComboBoxComponent ("stijl")->setSelectedItemIndex (stijl, juce::dontSendNotification);
    dialog.getComboBoxComponent ("Oversampling")
        ->setSelectedItemIndex (preselectionOf (oversamplingIndex), juce::dontSendNotification);

    // The dialog runs modally without blocking the host: its answer arrives in the callback.
    // If the host closes the window first, the dialog goes with the editor and the callback,
    // arriving later, finds neither.
    dialog.enterModalState (true,
                            juce::ModalCallbackFunction::create (
                                [editor = juce::Component::SafePointer<NewProjectAudioProcessorEditor> (this),
                                 shown = juce::Component::SafePointer<juce::AlertWindow> (&dialog)] (int)
                                {
                                    if (editor != nullptr && shown != nullptr)
                                        editor->applySettingsDialog (*shown);
                                }),
                            false);
}

void NewProjectAudioProcessorEditor::applySettingsDialog (juce::AlertWindow& dialog)
{
    oversamplingChoice = dialog.getComboBoxComponent ("Oversampling")->getSelectedItemIndex();

    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    if (oversamplingChoice >= 0 && oversamplingChoice < 4)
        processor->setParameterNotifyingHost (Slot::oversampling, OversamplingSlot::valueOf (oversamplingChoice));
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    stijl = dialog.getComboBoxComponent ("stijl")->getSelectedItemIndex();
    sens = dialog.getComboBoxComponent ("velsens")->getSelectedItemIndex();
    setSensAndStijl();

    if (auto* settings = appProperties.getUserSettings())
    {
        settings->setValue ("stijl", stijl);
        settings->setValue ("sens", sens);
    }

    settingsDialog.reset();
}
