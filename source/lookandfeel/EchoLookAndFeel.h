#pragma once

#include <PictureCatalogue.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <vector>

// Draws the panel's controls from the embedded pictures: every knob, switch, lamp, fader handle
// and lit key is a bitmap, chosen by the component's name. The editor only has to name its
// controls; anything it names otherwise is left undrawn. Where the screen's pixels are finer than
// the panel's (a window scaled above 100 %), the pictures come from the 2x set.
class EchoLookAndFeel : public juce::LookAndFeel_V2
{
public:
    EchoLookAndFeel();
    ~EchoLookAndFeel() override;

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawButtonText (juce::Graphics&, juce::TextButton&, bool shouldDrawButtonAsHighlighted,
                         bool shouldDrawButtonAsDown) override;
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool shouldDrawButtonAsHighlighted,
                           bool shouldDrawButtonAsDown) override;
    juce::Font getPopupMenuFont() override;
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown, int buttonX, int buttonY, int buttonW,
                       int buttonH, juce::ComboBox&) override;
    juce::Font getComboBoxFont (juce::ComboBox&) override;
    void drawLinearSliderBackground (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                                     float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle,
                                     juce::Slider&) override;
    void drawLinearSliderThumb (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                                float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle,
                                juce::Slider&) override;
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height, float sliderPos,
                           float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;
    juce::Label* createSliderTextBox (juce::Slider&) override;
    void drawCornerResizer (juce::Graphics&, int w, int h, bool isMouseOver, bool isMouseDragging) override;

    // The height of the text in toggle buttons, combo boxes, popup menus and slider text boxes,
    // from their next paint or creation on.
    void setFontSize (float height);

    // The readout the window shows over a knob or the fader: the slot's name and its value text,
    // in the panel's colours, filling `area`.
    static void drawValueReadout (juce::Graphics&, juce::Rectangle<float> area, const juce::String& name,
                                  const juce::String& value);

    // The position in panelpictures::pictureSets of the set drawn through `g`: the first whose
    // scale reaches the context's physical pixel scale, the largest beyond them all.
    static size_t pictureSetFor (juce::Graphics& g);

private:
    struct ButtonPictures;

    // A group's pictures, decoded, in their stored order.
    using Pictures = std::vector<juce::Image>;

    // The decoded pictures of one picture set: every group of the catalogue but the panel
    // itself, which the editor draws.
    struct DecodedSet
    {
        void decode (size_t set);

        const Pictures& operator[] (const panelpictures::PictureGroup& group) const;

        bool decoded = false;
        int scale = 1;
        std::array<Pictures, panelpictures::catalogue::groups.size()> groups; // in the catalogue's order
    };

    // The set drawn through `g`, decoded the first time it is drawn.
    const DecodedSet& picturesFor (juce::Graphics& g);

    static const juce::Image* rotaryFrame (const DecodedSet&, const juce::String& sliderName, float proportion);
    static bool findButtonPictures (const DecodedSet&, const juce::String& buttonName, ButtonPictures&);

    juce::Font textFont;
    std::array<DecodedSet, panelpictures::pictureSets.size()> sets;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EchoLookAndFeel)
};
