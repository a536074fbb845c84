#pragma once

#include "../lookandfeel/EchoLookAndFeel.h"
#include "../processor/EchoPluginProcessor.h"
#include "PanelLayout.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_data_structures/juce_data_structures.h>

#include <memory>

// The plug-in's window: a fixed 876 x 300 bitmap panel. Every control sits in contentComponent,
// which carries the scaling transform; the look and feel draws each control from its name.
// Knobs and the fader write their slots with host notification inside change gestures; a timer
// copies the processor's values back into the controls after any slot was written.
class NewProjectAudioProcessorEditor : public juce::AudioProcessorEditor,
                                       public juce::Timer,
                                       public juce::Slider::Listener,
                                       public juce::Button::Listener
{
public:
    // How often the level lamp, and the controls after a slot was written, are brought up to date.
    static constexpr int refreshMilliseconds = 50;

    explicit NewProjectAudioProcessorEditor (NewProjectAudioProcessor* processorToEdit);
    ~NewProjectAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void timerCallback() override;
    void sliderDragStarted (juce::Slider*) override;
    void sliderDragEnded (juce::Slider*) override;
    void sliderValueChanged (juce::Slider*) override;
    void buttonClicked (juce::Button*) override;

    // Copies the processor's current values into every control, without writing back.
    void updateControls();

    // Applies the user's knob preferences (velocity mode, drag style) to the six knobs.
    void setSensAndStijl();

    juce::Image backgroundImage;

    // Named after their rows of the panel's table; the look and feel draws each by its name.
    juce::Slider inputSlider { panel::inputSlider.name };
    juce::Slider lengthSlider { panel::lengthSlider.name };
    juce::Slider volumeSlider { panel::volumeSlider.name };
    juce::Slider toneSlider { panel::toneSlider.name };
    juce::Slider selectionSlider { panel::selectionSlider.name };
    juce::Slider delaySelectionSlider { panel::delaySelectionSlider.name };
    juce::Slider vuSlider { panel::vuSlider.name };
    juce::Slider bpmSlider { panel::bpmSlider.name };

    juce::Label tempoValueLabel;
    juce::Label tempoCaptionLabel;

    juce::TextButton btn1Button { panel::btn1Button.name };
    juce::TextButton btn2Button { panel::btn2Button.name };
    juce::TextButton btn3Button { panel::btn3Button.name };
    juce::TextButton fhaButton { panel::fhaButton.name };
    juce::TextButton btn58Button { panel::btn58Button.name };
    juce::TextButton btn68Button { panel::btn68Button.name };
    juce::TextButton btn78Button { panel::btn78Button.name };
    juce::TextButton btn88Button { panel::btn88Button.name };
    juce::TextButton btnhostButton { panel::btnhostButton.name };
    juce::TextButton btnmanualButton { panel::btnmanualButton.name };
    juce::TextButton btnclassicButton { panel::btnclassicButton.name };

    EchoLookAndFeel lookAndFeel;

    int oversamplingChoice = 0;
    int sens = 0;
    int stijl = 2;
    float oversamplingIndex = 0.0f;

    juce::ApplicationProperties appProperties;
    juce::Component contentComponent;

    // The processor as its own class; the base class's member of the same name is the framework's.
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wshadow-field")
    NewProjectAudioProcessor* processor = nullptr;
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

private:
    void setUpControls();
    void setUpLabels();
    void openUserSettings();
    void showSettingsDialog();
    void applySettingsDialog (juce::AlertWindow& dialog);

    // The member that shows a control of the panel.
    juce::Component& componentFor (const panel::Control&);

    // The settings dialog while it is open; closed with the editor if the host closes first.
    std::unique_ptr<juce::AlertWindow> settingsDialog;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NewProjectAudioProcessorEditor)
};
