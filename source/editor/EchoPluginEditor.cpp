#include "EchoPluginEditor.h"

#include "bg_pictures.h"
#include "btn1_pictures.h"
#include "btn2_pictures.h"
#include "btn3_pictures.h"

namespace
{
juce::Rectangle<int> sizeOfPicture (const char* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size).getBounds();
}

void setUpKnob (juce::Slider& knob, double interval)
{
    knob.setRange (0.0, 1.0, interval);
    knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
}
} // namespace

NewProjectAudioProcessorEditor::NewProjectAudioProcessorEditor (NewProjectAudioProcessor* processorToEdit)
    : juce::AudioProcessorEditor (processorToEdit), processor (processorToEdit)
{
    setLookAndFeel (&lookAndFeel);

    addAndMakeVisible (contentComponent);
    contentComponent.setSize (panelWidth, panelHeight);
    setSize (panelWidth, panelHeight);

    processor->addChangeListener (this);

    setUpControls();
    setUpLabels();
    openUserSettings();
    updateControls();
    startTimer (50);
}

NewProjectAudioProcessorEditor::~NewProjectAudioProcessorEditor()
{
    setLookAndFeel (nullptr);
    processor->removeChangeListener (this);
}

void NewProjectAudioProcessorEditor::setUpControls()
{
    // The effect buttons take the size of their pictures.
    const auto btn1Size = sizeOfPicture (btn1::btn1off_png, btn1::btn1off_pngSize);
    const auto btn2Size = sizeOfPicture (btn2::btn2off_png, btn2::btn2off_pngSize);
    const auto btn3Size = sizeOfPicture (btn3::btn3off_png, btn3::btn3off_pngSize);

    contentComponent.addAndMakeVisible (tempoCaptionLabel);
    contentComponent.addAndMakeVisible (tempoValueLabel);
    tempoValueLabel.setColour (juce::Label::textColourId, juce::Colours::lightyellow);

    // In this order, which is also their stacking order.
    struct Knob
    {
        juce::Slider& slider;
        juce::Rectangle<int> bounds;
        double interval;
    };

    const Knob knobs[] = {
        { inputSlider, { 88, 105, 91, 91 }, 0.008771 },   { lengthSlider, { 191, 105, 91, 91 }, 0.008771 },
        { volumeSlider, { 295, 105, 91, 91 }, 0.008771 }, { toneSlider, { 491, 105, 91, 91 }, 0.008771 },
        { selectionSlider, { 596, 105, 91, 91 }, 0.33 },  { delaySelectionSlider, { 699, 105, 91, 91 }, 0.083 },
    };

    for (const auto& knob : knobs)
    {
        contentComponent.addAndMakeVisible (knob.slider);
        knob.slider.addListener (this);
        setUpKnob (knob.slider, knob.interval);
        knob.slider.setBounds (knob.bounds);
    }

    // A double-click, or a single click with Alt held, takes the tone back to flat.
    toneSlider.setDoubleClickReturnValue (true, 0.5, juce::ModifierKeys::altModifier);

    contentComponent.addAndMakeVisible (bpmSlider);
    bpmSlider.addListener (this);
    bpmSlider.setRange (0.2, 1.0, 0.01);
    bpmSlider.setSliderStyle (juce::Slider::LinearHorizontal);
    bpmSlider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    bpmSlider.setBounds (325, 253, 190, 32);

    struct Key
    {
        juce::Button& button;
        juce::Rectangle<int> bounds;
        int radioGroup;
    };

    const Key keys[] = {
        { btn1Button, btn1Size.withPosition (352, 39), 0 },
        { btn2Button, btn2Size.withPosition (410, 39), 0 },
        { btn3Button, btn3Size.withPosition (464, 39), 0 },
        { btn58Button, { 654, 263, 31, 20 }, 1 },
        { btn68Button, { 686, 263, 31, 20 }, 1 },
        { btn78Button, { 718, 263, 31, 20 }, 1 },
        { btn88Button, { 750, 263, 31, 20 }, 1 },
        { btnmanualButton, { 245, 263, 42, 22 }, 2 },
        { btnhostButton, { 195, 263, 42, 22 }, 2 },
        { btnclassicButton, { 145, 263, 42, 22 }, 2 },
        { fhaButton, { 60, 48, 100, 45 }, 0 },
    };

    for (const auto& key : keys)
    {
        contentComponent.addAndMakeVisible (key.button);
        key.button.addListener (this);
        key.button.setBounds (key.bounds);
        key.button.setClickingTogglesState (true);
        key.button.setRadioGroupId (key.radioGroup);
    }

    // The logo hot-spot is invisible; its state flips at each click and means nothing.
    fhaButton.setToggleState (true, juce::dontSendNotification);

    // The magic-eye lamp only shows the level; it takes no mouse input and writes nothing.
    contentComponent.addAndMakeVisible (vuSlider);
    vuSlider.setRange (0.0, 1.0, 0.04);
    vuSlider.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    vuSlider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    vuSlider.setBounds (395, 105, 86, 86);
    vuSlider.setEnabled (false);
}

void NewProjectAudioProcessorEditor::setUpLabels()
{
    tempoValueLabel.setBounds (570, 263, 100, 10);
    tempoCaptionLabel.setBounds (550, 263, 100, 10);

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

    backgroundImage = juce::ImageCache::getFromMemory (bg::bg_png, bg::bg_pngSize);
    g.drawImageAt (backgroundImage, 0, 0);

    g.setColour (juce::Colours::grey);
    g.setFont (11.0f);
    g.drawText (juce::String ("v") + JucePlugin_VersionString, juce::Rectangle<int> (5, 5, 50, 11),
                juce::Justification::centred, true);
}

void NewProjectAudioProcessorEditor::resized()
{
    // The panel shrinks to fit a smaller window and stays centred; it never grows.
    const auto w = getWidth();
    const auto h = getHeight();
    const float scale = (w >= panelWidth && h >= panelHeight)
                            ? 1.0f
                            : (float) juce::jmin ((double) w / panelWidth, (double) h / panelHeight);

    const auto transform = juce::AffineTransform::scale (scale).translated ((w - panelWidth * scale) / 2.0f,
                                                                            (h - panelHeight * scale) / 2.0f);

    if (! transform.isSingularity())
    {
        contentComponent.setTransform (transform);
        repaint();
    }
}
