#include "EditorFixture.h"

#include "bg_pictures.h"

namespace
{
using vimbrel::test::EditorFixture;

using WindowLayout = EditorFixture;

TEST_F (WindowLayout, PlacesEveryControlOnTheContentComponent)
{
    auto& editor = openEditor();
    EXPECT_EQ (editor.getWidth(), 876);
    EXPECT_EQ (editor.getHeight(), 300);
    ASSERT_EQ (editor.getNumChildComponents(), 1);
    EXPECT_EQ (editor.getChildComponent (0), &editor.contentComponent);
    EXPECT_EQ (editor.contentComponent.getBounds(), juce::Rectangle<int> (0, 0, 876, 300));
    EXPECT_FALSE (editor.isResizable());

    struct Control
    {
        const char* name;
        juce::Rectangle<int> bounds;
    };

    // Bottom to top; the two labels lie above every control.
    const Control stacking[] = {
        { "", { 550, 263, 100, 10 } },
        { "", { 570, 263, 100, 10 } },
        { "InputSlider", { 88, 105, 91, 91 } },
        { "LengthSlider", { 191, 105, 91, 91 } },
        { "VolumeSlider", { 295, 105, 91, 91 } },
        { "ToneSlider", { 491, 105, 91, 91 } },
        { "SelectionSlider", { 596, 105, 91, 91 } },
        { "DelaySelectionSlider", { 699, 105, 91, 91 } },
        { "BpmSlider", { 325, 253, 190, 32 } },
        { "btn1Button", { 352, 39, 60, 42 } },
        { "btn2Button", { 410, 39, 56, 42 } },
        { "btn3Button", { 464, 39, 60, 42 } },
        { "btn58Button", { 654, 263, 31, 20 } },
        { "btn68Button", { 686, 263, 31, 20 } },
        { "btn78Button", { 718, 263, 31, 20 } },
        { "btn88Button", { 750, 263, 31, 20 } },
        { "btnmanualButton", { 245, 263, 42, 22 } },
        { "btnhostButton", { 195, 263, 42, 22 } },
        { "btnclassicButton", { 145, 263, 42, 22 } },
        { "FHAButton", { 60, 48, 100, 45 } },
        { "VUSlider", { 395, 105, 86, 86 } },
    };

    auto& content = editor.contentComponent;
    ASSERT_EQ (content.getNumChildComponents(), 21);

    // The labels were added first but brought to the front at the end.
    for (int i = 0; i < 19; ++i)
    {
        const auto& expected = stacking[i + 2];
        auto* child = content.getChildComponent (i);
        EXPECT_EQ (child->getName(), expected.name) << "position " << i;
        EXPECT_EQ (child->getBounds(), expected.bounds) << expected.name;
        EXPECT_TRUE (child->isVisible()) << expected.name;
    }

    EXPECT_EQ (content.getChildComponent (19), &editor.tempoCaptionLabel);
    EXPECT_EQ (content.getChildComponent (20), &editor.tempoValueLabel);
    EXPECT_EQ (editor.tempoCaptionLabel.getBounds(), stacking[0].bounds);
    EXPECT_EQ (editor.tempoValueLabel.getBounds(), stacking[1].bounds);
    EXPECT_TRUE (editor.tempoValueLabel.isAlwaysOnTop());

    for (auto* label : { &editor.tempoValueLabel, &editor.tempoCaptionLabel })
    {
        EXPECT_NEAR (label->getAlpha(), 0.7f, 1.0f / 255.0f);
        EXPECT_FLOAT_EQ (label->getFont().getHeight(), 14.0f);
    }

    EXPECT_EQ (editor.tempoCaptionLabel.getText(), "BPM DAW:");
    EXPECT_EQ (editor.tempoValueLabel.getText(), "120");
    EXPECT_EQ (editor.tempoValueLabel.findColour (juce::Label::textColourId), juce::Colour (0xffffffe0));
    EXPECT_EQ (&editor.getLookAndFeel(), &editor.lookAndFeel);
    EXPECT_EQ (&editor.inputSlider.getLookAndFeel(), &editor.lookAndFeel);
}

TEST_F (WindowLayout, OpeningAndClosingWritesOnlyTheCharacterButtonsThatAreOn)
{
    // The buttons start off; the first refresh switches on those whose slot is on, and a
    // character button that switches reports its slot to the host once more. Nothing else is
    // written by opening or closing the window.
    processor->setParameter (16, 1.0f);
    processor->setParameter (19, 1.0f);
    processor->setParameter (0, 0.3f);
    openEditor();
    EXPECT_TRUE (vimbrel::test::letTimersOfPeriodFire (vimbrel::test::editorTimerPeriod));
    closeEditor();

    const std::vector<vimbrel::test::HostRecorder::Event> expected { { 'v', 16, 1.0f } };
    EXPECT_EQ (host.events, expected);
}

TEST_F (WindowLayout, GivesEachControlItsRangeAndBehaviour)
{
    auto& editor = openEditor();

    struct Range
    {
        juce::Slider& slider;
        double minimum, maximum, interval;
        juce::Slider::SliderStyle style;
    };

    const Range ranges[] = {
        { editor.inputSlider, 0.0, 1.0, 0.008771, juce::Slider::RotaryVerticalDrag },
        { editor.lengthSlider, 0.0, 1.0, 0.008771, juce::Slider::RotaryVerticalDrag },
        { editor.volumeSlider, 0.0, 1.0, 0.008771, juce::Slider::RotaryVerticalDrag },
        { editor.toneSlider, 0.0, 1.0, 0.008771, juce::Slider::RotaryVerticalDrag },
        { editor.selectionSlider, 0.0, 1.0, 0.33, juce::Slider::RotaryVerticalDrag },
        { editor.delaySelectionSlider, 0.0, 1.0, 0.083, juce::Slider::RotaryVerticalDrag },
        { editor.bpmSlider, 0.2, 1.0, 0.01, juce::Slider::LinearHorizontal },
        { editor.vuSlider, 0.0, 1.0, 0.04, juce::Slider::RotaryVerticalDrag },
    };

    for (const auto& r : ranges)
    {
        const auto name = r.slider.getName();
        EXPECT_EQ (r.slider.getMinimum(), r.minimum) << name;
        EXPECT_EQ (r.slider.getMaximum(), r.maximum) << name;
        EXPECT_EQ (r.slider.getInterval(), r.interval) << name;
        EXPECT_EQ (r.slider.getSliderStyle(), r.style) << name;
        EXPECT_EQ (r.slider.getTextBoxPosition(), juce::Slider::NoTextBox) << name;
    }

    // Legal positions: a knob turned fully clockwise stops short of 1.
    editor.inputSlider.setValue (1.0);
    EXPECT_NEAR (editor.inputSlider.getValue(), 0.999894, 1.0e-12);
    editor.selectionSlider.setValue (0.8);
    EXPECT_NEAR (editor.selectionSlider.getValue(), 0.66, 1.0e-12);
    editor.delaySelectionSlider.setValue (1.0);
    EXPECT_NEAR (editor.delaySelectionSlider.getValue(), 0.996, 1.0e-12);
    editor.bpmSlider.setValue (0.0);
    EXPECT_EQ (editor.bpmSlider.getValue(), 0.2);

    for (auto* button : { &editor.btn1Button, &editor.btn2Button, &editor.btn3Button, &editor.fhaButton })
    {
        EXPECT_TRUE (button->getClickingTogglesState()) << button->getName();
        EXPECT_EQ (button->getRadioGroupId(), 0) << button->getName();
    }

    for (auto* button : { &editor.btn58Button, &editor.btn68Button, &editor.btn78Button, &editor.btn88Button })
        EXPECT_EQ (button->getRadioGroupId(), 1) << button->getName();

    for (auto* button : { &editor.btnmanualButton, &editor.btnhostButton, &editor.btnclassicButton })
        EXPECT_EQ (button->getRadioGroupId(), 2) << button->getName();

    EXPECT_TRUE (editor.fhaButton.getToggleState());
    EXPECT_FALSE (editor.vuSlider.isEnabled());
    EXPECT_TRUE (editor.toneSlider.isDoubleClickReturnEnabled());
    EXPECT_EQ (editor.toneSlider.getDoubleClickReturnValue(), 0.5);
}

TEST_F (WindowLayout, ShrinksToFitButNeverGrows)
{
    auto& editor = openEditor();

    struct Case
    {
        int width, height;
        float scale, x, y;
    };

    const Case cases[] = {
        { 876, 300, 1.0f, 0.0f, 0.0f },
        { 438, 150, 0.5f, 0.0f, 0.0f },
        { 1000, 300, 1.0f, 62.0f, 0.0f },
        { 876, 600, 1.0f, 0.0f, 150.0f },
        { 800, 400, (float) (800.0 / 876.0), 0.0f, (400.0f - 300.0f * (float) (800.0 / 876.0)) / 2.0f },
    };

    for (const auto& c : cases)
    {
        editor.setSize (c.width, c.height);
        const auto t = editor.contentComponent.getTransform();
        EXPECT_FLOAT_EQ (t.mat00, c.scale) << c.width << " x " << c.height;
        EXPECT_FLOAT_EQ (t.mat11, c.scale) << c.width << " x " << c.height;
        EXPECT_NEAR (t.mat02, c.x, 1.0e-4) << c.width << " x " << c.height;
        EXPECT_NEAR (t.mat12, c.y, 1.0e-4) << c.width << " x " << c.height;
    }

    EXPECT_NEAR (editor.contentComponent.getTransform().mat12, 63.0f, 0.5f);

    // A size without room leaves the last usable transform in place.
    editor.setSize (0, 0);
    EXPECT_FLOAT_EQ (editor.contentComponent.getTransform().mat00, (float) (800.0 / 876.0));
}

TEST_F (WindowLayout, PaintsThePanelAndTheVersion)
{
    auto& editor = openEditor();
    const auto background = juce::ImageCache::getFromMemory (bg::bg_png, bg::bg_pngSize);
    ASSERT_TRUE (background.isValid());

    juce::Image picture (juce::Image::ARGB, 876, 300, true);
    {
        juce::Graphics g (picture);
        editor.paint (g);
    }

    // The panel is drawn one to one; only the version text sits on top of it.
    EXPECT_EQ (picture.getPixelAt (700, 40), background.getPixelAt (700, 40));
    EXPECT_EQ (picture.getPixelAt (10, 290), background.getPixelAt (10, 290));

    // The version text: grey strokes over the panel inside its box.
    int differing = 0, greyish = 0;
    for (int y = 5; y < 16; ++y)
        for (int x = 5; x < 55; ++x)
        {
            const auto drawn = picture.getPixelAt (x, y);
            if (drawn == background.getPixelAt (x, y))
                continue;
            ++differing;
            if (std::abs (drawn.getRed() - drawn.getGreen()) < 8 && std::abs (drawn.getGreen() - drawn.getBlue()) < 8)
                ++greyish;
        }

    EXPECT_GT (differing, 20);
    EXPECT_EQ (greyish, differing);

    for (int y = 0; y < 300; y += 7)
        for (int x = 60; x < 876; x += 11)
            ASSERT_EQ (picture.getPixelAt (x, y), background.getPixelAt (x, y)) << x << ", " << y;
}
} // namespace
