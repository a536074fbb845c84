#pragma once

#include "../lookandfeel/EchoLookAndFeel.h"
#include "../model/PanelLayout.h"
#include "../processor/EchoPluginProcessor.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_data_structures/juce_data_structures.h>

#include <array>
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

private:
    // One component for each row of the panel's table, at the row's position in panel::controls:
    // a text button for a key, a slider for any other control, each named after its row.
    using ControlComponents = std::array<std::unique_ptr<juce::Component>, std::size (panel::controls)>;
    static ControlComponents makeControlComponents();
    const ControlComponents controlComponents = makeControlComponents();

    // The component that shows a control of the panel.
    juce::Component& componentFor (const panel::Control&);
    juce::Slider& sliderFor (const panel::Control& control)
    {
        return dynamic_cast<juce::Slider&> (componentFor (control));
    }
    juce::TextButton& keyFor (const panel::Control& control)
    {
        return dynamic_cast<juce::TextButton&> (componentFor (control));
    }

public:
    // The controls by the names of their rows; the look and feel draws each by its name.
    juce::Slider& inputSlider = sliderFor (panel::inputSlider);
    juce::Slider& lengthSlider = sliderFor (panel::lengthSlider);
    juce::Slider& volumeSlider = sliderFor (panel::volumeSlider);
    juce::Slider& toneSlider = sliderFor (panel::toneSlider);
    juce::Slider& selectionSlider = sliderFor (panel::selectionSlider);
    juce::Slider& delaySelectionSlider = sliderFor (panel::delaySelectionSlider);
    juce::Slider& vuSlider = sliderFor (panel::vuSlider);
    juce::Slider& bpmSlider = sliderFor (panel::bpmSlider);

    juce::Label tempoValueLabel;
    juce::Label tempoCaptionLabel;

    juce::TextButton& btn1Button = keyFor (panel::btn1Button);
    juce::TextButton& btn2Button = keyFor (panel::btn2Button);
    juce::TextButton& btn3Button = keyFor (panel::btn3Button);
    juce::TextButton& fhaButton = keyFor (panel::fhaButton);
    juce::TextButton& btn58Button = keyFor (panel::btn58Button);
    juce::TextButton& btn68Button = keyFor (panel::btn68Button);
    juce::TextButton& btn78Button = keyFor (panel::btn78Button);
    juce::TextButton& btn88Button = keyFor (panel::btn88Button);
    juce::TextButton& btnhostButton = keyFor (panel::btnhostButton);
    juce::TextButton& btnmanualButton = keyFor (panel::btnmanualButton);
    juce::TextButton& btnclassicButton = keyFor (panel::btnclassicButton);

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

    // The settings dialog while it is open; closed with the editor if the host closes first.
    std::unique_ptr<juce::AlertWindow> settingsDialog;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NewProjectAudioProcessorEditor)
};
