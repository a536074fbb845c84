#pragma once

#include "../lookandfeel/EchoLookAndFeel.h"
#include "../processor/EchoPluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_data_structures/juce_data_structures.h>

#include <memory>

// The plug-in's window: a fixed 876 x 300 bitmap panel. Every control sits in contentComponent,
// which carries the scaling transform; the look and feel draws each control from its name.
// Knobs and the fader write their slots with host notification inside change gestures; every
// change message from the processor copies its values back into the controls.
class NewProjectAudioProcessorEditor : public juce::AudioProcessorEditor,
                                       public juce::Timer,
                                       public juce::Slider::Listener,
                                       public juce::Button::Listener,
                                       public juce::ChangeListener
{
public:
    static constexpr int panelWidth = 876;
    static constexpr int panelHeight = 300;

    explicit NewProjectAudioProcessorEditor (NewProjectAudioProcessor* processorToEdit);
    ~NewProjectAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void timerCallback() override;
    void sliderDragStarted (juce::Slider*) override;
    void sliderDragEnded (juce::Slider*) override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void sliderValueChanged (juce::Slider*) override;
    void buttonClicked (juce::Button*) override;

    // Copies the processor's current values into every control, without writing back.
    void updateControls();

    // Applies the user's knob preferences (velocity mode, drag style) to the six knobs.
    void setSensAndStijl();

    juce::Image backgroundImage;

    juce::Slider inputSlider { "InputSlider" };
    juce::Slider lengthSlider { "LengthSlider" };
    juce::Slider volumeSlider { "VolumeSlider" };
    juce::Slider toneSlider { "ToneSlider" };
    juce::Slider selectionSlider { "SelectionSlider" };
    juce::Slider delaySelectionSlider { "DelaySelectionSlider" };
    juce::Slider vuSlider { "VUSlider" };
    juce::Slider bpmSlider { "BpmSlider" };

    juce::Label tempoValueLabel;
    juce::Label tempoCaptionLabel;

    juce::TextButton btn1Button { "btn1Button" };
    juce::TextButton btn2Button { "btn2Button" };
    juce::TextButton btn3Button { "btn3Button" };
    juce::TextButton fhaButton { "FHAButton" };
    juce::TextButton btn58Button { "btn58Button" };
    juce::TextButton btn68Button { "btn68Button" };
    juce::TextButton btn78Button { "btn78Button" };
    juce::TextButton btn88Button { "btn88Button" };
    juce::TextButton btnhostButton { "btnhostButton" };
    juce::TextButton btnmanualButton { "btnmanualButton" };
    juce::TextButton btnclassicButton { "btnclassicButton" };

    EchoLookAndFeel lookAndFeel;

    int oversamplingChoice = 0;
    int sens = 0;
    int stijl = 2;
    float oversamplingIndex = 0.0f;

    juce::ApplicationProperties appProperties;
    juce::Component contentComponent;
    NewProjectAudioProcessor* processor = nullptr;

private:
    void setUpControls();
    void setUpLabels();
    void openUserSettings();
    void showSettingsDialog();
    void applySettingsDialog (juce::AlertWindow& dialog);

    // The slot a bound knob or the fader writes, or -1 for any other slider.
    int slotOf (const juce::Slider*) const;

    // The settings dialog while it is open; closed with the editor if the host closes first.
    std::unique_ptr<juce::AlertWindow> settingsDialog;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NewProjectAudioProcessorEditor)
};
