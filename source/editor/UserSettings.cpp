#include "EchoPluginEditor.h"
#include "WindowSize.h"

// The knob preferences and the window's size belong to the user, not to a song: one small file
// shared by every instance, ~/KVOR/Vimbrel2.settings on Linux. It is only written when the
// settings dialog is confirmed or the window's size changes (three seconds later, or when the
// window closes).
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
        windowSize = windowsize::limited (settings->getDoubleValue (windowsize::settingsKey, 1.0));
    }

    setSensAndStijl();
}

void NewProjectAudioProcessorEditor::rememberWindowSize (double size)
{
    if (size == windowSize)
        return;

    windowSize = size;

    if (auto* settings = appProperties.getUserSettings())
        settings->setValue (windowsize::settingsKey, size);
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
