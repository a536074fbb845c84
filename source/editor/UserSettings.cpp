#include "EchoPluginEditor.h"

// The knob preferences belong to the user, not to a song: one small file shared by every
// instance, ~/KVOR/Vimbrel2.settings on Linux. It is only written when the settings dialog is
// confirmed (three seconds later, or when the window closes).
void NewProjectAudioProcessorEditor::openUserSettings()
{
    juce::PropertiesFile::Options options;
    options.applicationName = "Vimbrel2";
    options.filenameSuffix = "settings";
    options.folderName = "KVOR";
    options.osxLibrarySubFolder = "Application Support";
    options.commonToAllUsers = false;
    options.ignoreCaseOfKeyNames = false;
    options.doNotSave = false;
    options.millisecondsBeforeSaving = 3000;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    options.processLock = nullptr;
    appProperties.setStorageParameters (options);

    if (auto* settings = appProperties.getUserSettings())
    {
        sens = settings->getBoolValue ("sens", false) ? 1 : 0;
        stijl = settings->getIntValue ("stijl", 2);
    }

    setSensAndStijl();
}

void NewProjectAudioProcessorEditor::setSensAndStijl()
{
    static constexpr juce::Slider::SliderStyle dragStyles[] = { juce::Slider::Rotary,
                                                                juce::Slider::RotaryHorizontalDrag,
                                                                juce::Slider::RotaryVerticalDrag,
                                                                juce::Slider::RotaryHorizontalVerticalDrag };

    for (const auto* control : panel::controls)
    {
        if (control->kind != panel::Kind::knob)
            continue;

        auto& knob = dynamic_cast<juce::Slider&> (componentFor (*control));
        knob.setVelocityBasedMode (sens != 0);

        if (stijl >= 0 && stijl < 4)
            knob.setSliderStyle (dragStyles[stijl]);
    }
}
