#include "lookandfeel/EchoLookAndFeel.h"

#include "PictureTesting.h"

#include <memory>

namespace
{
using vimbrel::test::hasInk;
using vimbrel::test::samePixels;
using vimbrel::test::snapshot;

::testing::AssertionResult isArial (const juce::Font& font, float height)
{
    if (font.getTypefaceName() == "Arial" && font.getHeight() == height && font.getStyleFlags() == juce::Font::plain)
        return ::testing::AssertionSuccess();

    return ::testing::AssertionFailure() << "'" << font.getTypefaceName() << "' " << font.getHeight() << ", style "
                                         << font.getStyleFlags();
}

// Combo boxes, popup menus and slider text boxes share one font: Arial 11, until a new size is set.
TEST (TextDrawing, FontIsArialElevenUntilResized)
{
    EchoLookAndFeel lookAndFeel;
    juce::ComboBox box;
    juce::Slider slider;

    const auto textBoxFont = [&]
    {
        std::unique_ptr<juce::Label> label (lookAndFeel.createSliderTextBox (slider));
        return label->getFont();
    };

    EXPECT_TRUE (isArial (lookAndFeel.getComboBoxFont (box), 11.0f));
    EXPECT_TRUE (isArial (lookAndFeel.getPopupMenuFont(), 11.0f));
    EXPECT_TRUE (isArial (textBoxFont(), 11.0f));

    lookAndFeel.setFontSize (14.5f);

    EXPECT_TRUE (isArial (lookAndFeel.getComboBoxFont (box), 14.5f));
    EXPECT_TRUE (isArial (lookAndFeel.getPopupMenuFont(), 14.5f));
    EXPECT_TRUE (isArial (textBoxFont(), 14.5f));
}

// A toggle button shows its caption alone, from 10 % plus 30 % of its width (each truncated),
// above a bottom margin of 16 % of its width; no tick box, whatever its state.
TEST (TextDrawing, ToggleButtonShowsOnlyItsCaption)
{
    struct Case
    {
        int width, height;
        bool toggledOn;
        float fontSize;
        juce::Rectangle<int> textArea;
    };

    const Case cases[] = {
        { 100, 30, false, 11.0f, { 40, 0, 60, 14 } },
        { 100, 30, true, 11.0f, { 40, 0, 60, 14 } },
        { 95, 40, false, 11.0f, { 37, 0, 58, 25 } }, // 9 + 28, not 38
        { 100, 40, false, 15.0f, { 40, 0, 60, 24 } },
    };

    EchoLookAndFeel lookAndFeel;
    juce::ToggleButton button ("Stereo feedback");
    button.setLookAndFeel (&lookAndFeel);
    button.setColour (juce::ToggleButton::textColourId, juce::Colours::darkgreen);

    for (const auto& c : cases)
    {
        lookAndFeel.setFontSize (c.fontSize);
        button.setSize (c.width, c.height);
        button.setToggleState (c.toggledOn, juce::dontSendNotification);

        juce::Image expected (juce::Image::ARGB, c.width, c.height, true);
        {
            juce::Graphics g (expected);
            g.setFont (juce::Font ("Arial", c.fontSize, juce::Font::plain));
            g.setColour (juce::Colours::darkgreen);
            g.drawFittedText ("Stereo feedback", c.textArea, juce::Justification::centredLeft, 1, 0.0f);
        }

        EXPECT_TRUE (hasInk (expected)) << "the font draws nothing";
        EXPECT_TRUE (samePixels (snapshot (button), expected))
            << c.width << " x " << c.height << (c.toggledOn ? ", on" : ", off") << ", font " << c.fontSize;
    }

    button.setLookAndFeel (nullptr);
}

// A combo box is a rounded outline 2 pixels wide inside its edge, in its outline colour: no fill,
// no arrow.
TEST (TextDrawing, ComboBoxIsARoundedOutline)
{
    EchoLookAndFeel lookAndFeel;
    juce::ComboBox box;
    box.setColour (juce::ComboBox::outlineColourId, juce::Colours::red);

    juce::Image image (juce::Image::ARGB, 120, 24, true);
    {
        juce::Graphics g (image);
        lookAndFeel.drawComboBox (g, 120, 24, true, 96, 0, 24, 24, box);
    }

    // Stroke pixels are the outline colour at (almost) full strength; all others stay clear.
    struct Probe
    {
        int x, y;
        bool stroked;
    };

    const Probe probes[] = {
        { 60, 0, true },    { 60, 1, true },   { 60, 2, false },   { 60, 22, true },
        { 60, 23, true },   { 0, 12, true },   { 1, 12, true },    { 2, 12, false },
        { 118, 12, true },  { 119, 12, true }, { 117, 12, false }, { 0, 0, false },
        { 119, 23, false }, { 60, 12, false }, { 108, 12, false }, { 100, 8, false },
    };

    for (const auto& p : probes)
    {
        const auto pixel = image.getPixelAt (p.x, p.y);

        if (p.stroked)
            EXPECT_TRUE (pixel.getAlpha() >= 0xf0 && pixel.withAlpha ((juce::uint8) 0xff) == juce::Colours::red)
                << "at " << p.x << ", " << p.y << ": " << pixel.toDisplayString (true);
        else
            EXPECT_EQ (0, pixel.getAlpha()) << "at " << p.x << ", " << p.y;
    }
}

// The text box label takes its colours from the slider; its editor background is opaque except
// on a bar slider, where it lets 30 % through.
TEST (TextDrawing, SliderTextBoxTakesTheSlidersColours)
{
    struct Case
    {
        juce::Slider::SliderStyle style;
        float editorBackgroundAlpha;
    };

    const Case cases[] = {
        { juce::Slider::LinearBar, 0.7f },
        { juce::Slider::LinearBarVertical, 1.0f },
        { juce::Slider::LinearHorizontal, 1.0f },
        { juce::Slider::RotaryVerticalDrag, 1.0f },
    };

    const auto text = juce::Colours::orange, outline = juce::Colours::purple, highlight = juce::Colours::cyan;
    const auto background = juce::Colours::navy.withAlpha (0.2f);

    EchoLookAndFeel lookAndFeel;
    juce::Slider slider;
    slider.setColour (juce::Slider::textBoxTextColourId, text);
    slider.setColour (juce::Slider::textBoxOutlineColourId, outline);
    slider.setColour (juce::Slider::textBoxHighlightColourId, highlight);
    slider.setColour (juce::Slider::textBoxBackgroundColourId, background);

    for (const auto& c : cases)
    {
        SCOPED_TRACE ((int) c.style);
        slider.setSliderStyle (c.style);
        std::unique_ptr<juce::Label> label (lookAndFeel.createSliderTextBox (slider));

        EXPECT_EQ (juce::String ("n"), label->getName());
        EXPECT_TRUE (label->getText().isEmpty());
        EXPECT_EQ (juce::Justification::centred, label->getJustificationType().getFlags());
        EXPECT_EQ (text, label->findColour (juce::Label::textColourId));
        EXPECT_EQ (juce::Colours::transparentBlack, label->findColour (juce::Label::backgroundColourId));
        EXPECT_EQ (outline, label->findColour (juce::Label::outlineColourId));
        EXPECT_EQ (text, label->findColour (juce::TextEditor::textColourId));
        EXPECT_EQ (background.withAlpha (c.editorBackgroundAlpha),
                   label->findColour (juce::TextEditor::backgroundColourId));
        EXPECT_EQ (highlight, label->findColour (juce::TextEditor::highlightColourId));
        EXPECT_EQ (outline, label->findColour (juce::TextEditor::outlineColourId));
    }
}
} // namespace
