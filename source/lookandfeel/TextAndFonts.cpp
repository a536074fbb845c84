#include "EchoLookAndFeel.h"

// A toggle button is its caption alone, set in from the left; its state is not shown.
void EchoLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    g.setColour (button.findColour (juce::ToggleButton::textColourId));
    g.setFont (textFont);

    const int w = button.getWidth();
    const int h = button.getHeight();
    const int left = (int) ((float) w * 0.1f) + (int) ((float) w * 0.3f);
    const int bottomGap = (int) ((float) w * 0.16f);

    g.drawFittedText (button.getButtonText(), left, 0, w - left, h - bottomGap, juce::Justification::centredLeft, 1,
                      0.0f);
}

// Only an outline: the box's label draws the text, and there is no arrow.
void EchoLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int,
                                    juce::ComboBox& box)
{
    g.setColour (box.findColour (juce::ComboBox::outlineColourId));
    g.drawRoundedRectangle (1.0f, 1.0f, (float) width - 2.0f, (float) height - 2.0f, 4.0f, 2.0f);
}

juce::Font EchoLookAndFeel::getComboBoxFont (juce::ComboBox&) { return textFont; }

juce::Font EchoLookAndFeel::getPopupMenuFont() { return textFont; }

juce::Label* EchoLookAndFeel::createSliderTextBox (juce::Slider& slider)
{
    auto label = std::make_unique<juce::Label> ("n", juce::String());
    label->setJustificationType (juce::Justification::centred);

    const auto text = slider.findColour (juce::Slider::textBoxTextColourId);
    const auto outline = slider.findColour (juce::Slider::textBoxOutlineColourId);
    const float backgroundAlpha = slider.getSliderStyle() == juce::Slider::LinearBar ? 0.7f : 1.0f;

    label->setColour (juce::Label::textColourId, text);
    label->setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    label->setColour (juce::Label::outlineColourId, outline);
    label->setColour (juce::TextEditor::textColourId, text);
    label->setColour (juce::TextEditor::backgroundColourId,
                      slider.findColour (juce::Slider::textBoxBackgroundColourId).withAlpha (backgroundAlpha));
    label->setColour (juce::TextEditor::highlightColourId, slider.findColour (juce::Slider::textBoxHighlightColourId));
    label->setColour (juce::TextEditor::outlineColourId, outline);

    label->setFont (textFont);
    return label.release();
}

void EchoLookAndFeel::setFontSize (float height) { textFont = juce::Font ("Arial", height, juce::Font::plain); }
