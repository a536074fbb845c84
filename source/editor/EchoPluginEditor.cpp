#include "EchoPluginEditor.h"

#include "../lookandfeel/PanelPictures.h"

#include <algorithm>
#include <cmath>

NewProjectAudioProcessorEditor::NewProjectAudioProcessorEditor (NewProjectAudioProcessor* processorToEdit)
    : juce::AudioProcessorEditor (processorToEdit), processor (processorToEdit)
{
    setLookAndFeel (&lookAndFeel);

    addAndMakeVisible (contentComponent);
    contentComponent.setSize (panel::width, panel::height);
    setSize (panel::width, panel::height);

    setUpControls();
    setUpLabels();
    openUserSettings();
    updateControls();
    startTimer (refreshMilliseconds);
}

NewProjectAudioProcessorEditor::~NewProjectAudioProcessorEditor() { setLookAndFeel (nullptr); }

NewProjectAudioProcessorEditor::ControlComponents NewProjectAudioProcessorEditor::makeControlComponents()
{
    ControlComponents components;

    for (size_t i = 0; i < components.size(); ++i)
    {
        const auto& control = *panel::controls[i];

        if (control.kind == panel::Kind::key)
            components[i] = std::make_unique<juce::TextButton> (control.name);
        else
            components[i] = std::make_unique<juce::Slider> (control.name);
    }

    return components;
}

juce::Component& NewProjectAudioProcessorEditor::componentFor (const panel::Control& control)
{
    const auto row = std::find (std::begin (panel::controls), std::end (panel::controls), &control);

    // Only the rows of the table have a component; anything else is a fault in the caller.
    if (row == std::end (panel::controls))
    {
        jassertfalse;
        return contentComponent;
    }

    return *controlComponents[(size_t) (row - std::begin (panel::controls))];
}

void NewProjectAudioProcessorEditor::setUpControls()
{
    contentComponent.addAndMakeVisible (tempoCaptionLabel);
    contentComponent.addAndMakeVisible (tempoValueLabel);
    tempoValueLabel.setColour (juce::Label::textColourId, juce::Colours::lightyellow);

    for (const auto* control : panel::controls)
    {
        auto& component = componentFor (*control);
        contentComponent.addAndMakeVisible (component);

        if (control->kind == panel::Kind::key)
        {
            auto& key = dynamic_cast<juce::Button&> (component);
            key.addListener (this);
            key.setBounds (control->bounds);
            key.setClickingTogglesState (true);
            key.setRadioGroupId (control->radioGroup);
            continue;
        }

        auto& slider = dynamic_cast<juce::Slider&> (component);

        // The magic-eye lamp only shows the level; it takes no mouse input and writes nothing.
        if (control->kind == panel::Kind::lamp)
            slider.setEnabled (false);
        else
            slider.addListener (this);

        slider.setRange (control->range.minimum, control->range.maximum, control->range.interval);
        slider.setSliderStyle (control->kind == panel::Kind::fader ? juce::Slider::LinearHorizontal
                                                                   : juce::Slider::RotaryVerticalDrag);
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        slider.setBounds (control->bounds);
    }

    // A double-click, or a single click with Alt held, takes the tone back to flat.
    toneSlider.setDoubleClickReturnValue (true, 0.5, juce::ModifierKeys::altModifier);

    // The logo hot-spot is invisible; its state flips at each click and means nothing.
    fhaButton.setToggleState (true, juce::dontSendNotification);
}

void NewProjectAudioProcessorEditor::setUpLabels()
{
    tempoValueLabel.setBounds (panel::tempoValueLabel);
    tempoCaptionLabel.setBounds (panel::tempoCaptionLabel);

    for (auto* label : { &tempoValueLabel, &tempoCaptionLabel })
    {
        label->setFont (juce::Font (14.0f, juce::Font::plain));
        label->toFront (false);
        label->setAlpha (0.7f);
    }

    tempoValueLabel.setAlwaysOnTop (true);
    tempoCaptionLabel.setText ("BPM DAW:", juce::dontSendNotification);
}

void NewProjectAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.addTransform (contentComponent.getTransform());

    // One picture pixel per screen pixel at 100 % and at 200 %.
    const auto picture = panelpictures::background (EchoLookAndFeel::pictureSetFor (g));
    backgroundImage = juce::ImageCache::getFromMemory (picture.data, picture.size);
    g.drawImage (backgroundImage, 0, 0, panel::width, panel::height, 0, 0, backgroundImage.getWidth(),
                 backgroundImage.getHeight());

    g.setColour (juce::Colours::grey);
    g.setFont (11.0f);
    g.drawText (juce::String ("v") + JucePlugin_VersionString, panel::versionText, juce::Justification::centred, true);
}

void NewProjectAudioProcessorEditor::resized()
{
    // The panel shrinks to fit a smaller window and stays centred; it never grows. Unshrunk, it
    // is centred to the whole pixel, so that a window one pixel larger than the panel (as hosts'
    // rounding leaves it after some scale changes) still shows every picture one to one.
    const auto w = getWidth();
    const auto h = getHeight();
    const bool whole = w >= panel::width && h >= panel::height;
    const float scale = whole ? 1.0f : (float) juce::jmin ((double) w / panel::width, (double) h / panel::height);
    const auto centre = [whole, scale] (int size, int panelSize)
    {
        const float offset = ((float) size - (float) panelSize * scale) / 2.0f;
        return whole ? std::floor (offset) : offset;
    };

    const auto transform =
        juce::AffineTransform::scale (scale).translated (centre (w, panel::width), centre (h, panel::height));

    if (! transform.isSingularity())
    {
        contentComponent.setTransform (transform);
        repaint();
    }
}
