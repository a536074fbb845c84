#include "EditorFixture.h"

#include "bg_pictures.h"
#include "btn1_pictures.h"
#include "btn2_pictures.h"
#include "btn3_pictures.h"

namespace
{
using vimbrel::test::EditorFixture;
using Kind = panel::Kind;

using WindowLayout = EditorFixture;

// The panel as users, saved screenshots and the look and feel know it. Bottom to top.
struct ControlRow
{
    const char* name;
    Kind kind;
    juce::Rectangle<int> bounds;
    panel::Range range;
    int radioGroup;
    int slot;
};

constexpr panel::Range knobSteps { 0.0, 1.0, 0.008771 };

const ControlRow contract[] = {
    { "InputSlider", Kind::knob, { 88, 105, 91, 91 }, knobSteps, 0, Slot::input },
    { "LengthSlider", Kind::knob, { 191, 105, 91, 91 }, knobSteps, 0, Slot::length },
    { "VolumeSlider", Kind::knob, { 295, 105, 91, 91 }, knobSteps, 0, Slot::volume },
    { "ToneSlider", Kind::knob, { 491, 105, 91, 91 }, knobSteps, 0, Slot::tone },
    { "SelectionSlider", Kind::knob, { 596, 105, 91, 91 }, { 0.0, 1.0, 0.33 }, 0, Slot::selection },
    { "DelaySelectionSlider", Kind::knob, { 699, 105, 91, 91 }, { 0.0, 1.0, 0.083 }, 0, Slot::delaySelection },
    { "BpmSlider", Kind::fader, { 325, 253, 190, 32 }, { 0.2, 1.0, 0.01 }, 0, Slot::manualBpm },
    { "btn1Button", Kind::key, { 352, 39, 60, 42 }, {}, 0, Slot::stereoFeedback1 },
    { "btn2Button", Kind::key, { 410, 39, 56, 42 }, {}, 0, Slot::doubleTime },
    { "btn3Button", Kind::key, { 464, 39, 60, 42 }, {}, 0, Slot::stereoFeedback2 },
    { "btn58Button", Kind::key, { 654, 263, 31, 20 }, {}, 1, Slot::beat58 },
    { "btn68Button", Kind::key, { 686, 263, 31, 20 }, {}, 1, Slot::beat68 },
    { "btn78Button", Kind::key, { 718, 263, 31, 20 }, {}, 1, Slot::beat78 },
    { "btn88Button", Kind::key, { 750, 263, 31, 20 }, {}, 1, Slot::beat88 },
    { "btnmanualButton", Kind::key, { 245, 263, 42, 22 }, {}, 2, Slot::manualSource },
    { "btnhostButton", Kind::key, { 195, 263, 42, 22 }, {}, 2, Slot::hostSource },
    { "btnclassicButton", Kind::key, { 145, 263, 42, 22 }, {}, 2, Slot::classicSource },
    { "FHAButton", Kind::key, { 60, 48, 100, 45 }, {}, 0, panel::noSlot },
    { "VUSlider", Kind::lamp, { 395, 105, 86, 86 }, { 0.0, 1.0, 0.04 }, 0, panel::noSlot },
};

// The tempo readout's two labels lie above every control.
const juce::Rectangle<int> captionLabel { 550, 263, 100, 10 };
const juce::Rectangle<int> valueLabel { 570, 263, 100, 10 };
const juce::Rectangle<int> versionText { 5, 5, 50, 11 };

juce::Component* childNamed (juce::Component& parent, const char* name)
{
    for (auto* child : parent.getChildren())
        if (child->getName() == name)
            return child;

    return nullptr;
}

TEST (PanelTable, HoldsTheControlsOfThePanelInTheirStackingOrder)
{
    ASSERT_EQ (std::size (panel::controls), std::size (contract));

    for (size_t i = 0; i < std::size (contract); ++i)
    {
        const auto& expected = contract[i];
        const auto& row = *panel::controls[i];
        EXPECT_STREQ (row.name, expected.name) << "position " << i;
        EXPECT_EQ (row.kind, expected.kind) << expected.name;
        EXPECT_EQ (row.bounds, expected.bounds) << expected.name;
        EXPECT_EQ (row.range.minimum, expected.range.minimum) << expected.name;
        EXPECT_EQ (row.range.maximum, expected.range.maximum) << expected.name;
        EXPECT_EQ (row.range.interval, expected.range.interval) << expected.name;
        EXPECT_EQ (row.radioGroup, expected.radioGroup) << expected.name;
        EXPECT_EQ (row.slot, expected.slot) << expected.name;
        EXPECT_EQ (panel::controlNamed (expected.name), &row) << expected.name;
    }

    EXPECT_EQ (panel::controlNamed ("OK"), nullptr);
    EXPECT_EQ (panel::controlNamed ("inputslider"), nullptr);

    EXPECT_EQ (panel::tempoCaptionLabel, captionLabel);
    EXPECT_EQ (panel::tempoValueLabel, valueLabel);
    EXPECT_EQ (panel::versionText, versionText);
    EXPECT_EQ (panel::width, 876);
    EXPECT_EQ (panel::height, 300);
}

TEST (PanelTable, GivesEachEffectButtonTheSizeOfItsPictures)
{
    struct Group
    {
        const char* button;
        const char* const* pictureNames;
        int pictureCount;
        const char* (*find) (const char*, int&);
    };

    const Group groups[] = {
        { "btn1Button", btn1::namedResourceList, btn1::namedResourceListSize, btn1::getNamedResource },
        { "btn2Button", btn2::namedResourceList, btn2::namedResourceListSize, btn2::getNamedResource },
        { "btn3Button", btn3::namedResourceList, btn3::namedResourceListSize, btn3::getNamedResource },
    };

    for (const auto& group : groups)
    {
        const auto* control = panel::controlNamed (group.button);
        ASSERT_NE (control, nullptr) << group.button;
        ASSERT_GT (group.pictureCount, 0) << group.button;

        for (int i = 0; i < group.pictureCount; ++i)
        {
            int size = 0;
            const auto* data = group.find (group.pictureNames[i], size);
            const auto picture = juce::ImageCache::getFromMemory (data, size);
            ASSERT_TRUE (picture.isValid()) << group.pictureNames[i];
            EXPECT_EQ (picture.getBounds(), control->bounds.withZeroOrigin()) << group.pictureNames[i];
        }
    }
}

TEST_F (WindowLayout, PlacesEveryControlOnTheContentComponent)
{
    auto& editor = openEditor();
    EXPECT_EQ (editor.getWidth(), 876);
    EXPECT_EQ (editor.getHeight(), 300);
    ASSERT_EQ (editor.getNumChildComponents(), 1);
    EXPECT_EQ (editor.getChildComponent (0), &editor.contentComponent);
    EXPECT_EQ (editor.contentComponent.getBounds(), juce::Rectangle<int> (0, 0, 876, 300));
    EXPECT_FALSE (editor.isResizable());

    auto& content = editor.contentComponent;
    ASSERT_EQ (content.getNumChildComponents(), (int) std::size (contract) + 2);

    // The labels were added first but brought to the front at the end.
    for (int i = 0; i < (int) std::size (contract); ++i)
    {
        const auto& expected = contract[i];
        auto* child = content.getChildComponent (i);
        EXPECT_EQ (child->getName(), expected.name) << "position " << i;
        EXPECT_EQ (child->getBounds(), expected.bounds) << expected.name;
        EXPECT_TRUE (child->isVisible()) << expected.name;
    }

    EXPECT_EQ (content.getChildComponent (19), &editor.tempoCaptionLabel);
    EXPECT_EQ (content.getChildComponent (20), &editor.tempoValueLabel);
    EXPECT_EQ (editor.tempoCaptionLabel.getBounds(), captionLabel);
    EXPECT_EQ (editor.tempoValueLabel.getBounds(), valueLabel);
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
    processor->setParameter (Slot::doubleTime, 1.0f);
    processor->setParameter (Slot::beat68, 1.0f);
    processor->setParameter (Slot::input, 0.3f);
    openEditor();
    EXPECT_TRUE (vimbrel::test::letTimersOfPeriodFire (NewProjectAudioProcessorEditor::refreshMilliseconds));
    closeEditor();

    const std::vector<vimbrel::test::HostRecorder::Event> expected { { 'v', Slot::doubleTime, 1.0f } };
    EXPECT_EQ (host.events, expected);
}

TEST_F (WindowLayout, GivesEachControlItsRangeAndBehaviour)
{
    auto& editor = openEditor();

    for (const auto& row : contract)
    {
        auto* control = childNamed (editor.contentComponent, row.name);
        ASSERT_NE (control, nullptr) << row.name;

        if (row.kind == Kind::key)
        {
            auto* key = dynamic_cast<juce::Button*> (control);
            ASSERT_NE (key, nullptr) << row.name;
            EXPECT_TRUE (key->getClickingTogglesState()) << row.name;
            EXPECT_EQ (key->getRadioGroupId(), row.radioGroup) << row.name;
            continue;
        }

        auto* slider = dynamic_cast<juce::Slider*> (control);
        ASSERT_NE (slider, nullptr) << row.name;
        EXPECT_EQ (slider->getMinimum(), row.range.minimum) << row.name;
        EXPECT_EQ (slider->getMaximum(), row.range.maximum) << row.name;
        EXPECT_EQ (slider->getInterval(), row.range.interval) << row.name;
        EXPECT_EQ (slider->getSliderStyle(),
                   row.kind == Kind::fader ? juce::Slider::LinearHorizontal : juce::Slider::RotaryVerticalDrag)
            << row.name;
        EXPECT_EQ (slider->getTextBoxPosition(), juce::Slider::NoTextBox) << row.name;
    }

    // The look and feel and the tests reach each control by these names.
    const std::pair<const juce::Component&, const char*> members[] = {
        { editor.inputSlider, "InputSlider" },
        { editor.lengthSlider, "LengthSlider" },
        { editor.volumeSlider, "VolumeSlider" },
        { editor.toneSlider, "ToneSlider" },
        { editor.selectionSlider, "SelectionSlider" },
        { editor.delaySelectionSlider, "DelaySelectionSlider" },
        { editor.bpmSlider, "BpmSlider" },
        { editor.vuSlider, "VUSlider" },
        { editor.btn1Button, "btn1Button" },
        { editor.btn2Button, "btn2Button" },
        { editor.btn3Button, "btn3Button" },
        { editor.btn58Button, "btn58Button" },
        { editor.btn68Button, "btn68Button" },
        { editor.btn78Button, "btn78Button" },
        { editor.btn88Button, "btn88Button" },
        { editor.btnmanualButton, "btnmanualButton" },
        { editor.btnhostButton, "btnhostButton" },
        { editor.btnclassicButton, "btnclassicButton" },
        { editor.fhaButton, "FHAButton" },
    };

    for (const auto& [member, name] : members)
        EXPECT_EQ (member.getName(), name);

    // Legal positions: a knob turned fully clockwise stops short of 1.
    editor.inputSlider.setValue (1.0);
    EXPECT_NEAR (editor.inputSlider.getValue(), 0.999894, 1.0e-12);
    editor.selectionSlider.setValue (0.8);
    EXPECT_NEAR (editor.selectionSlider.getValue(), 0.66, 1.0e-12);
    editor.delaySelectionSlider.setValue (1.0);
    EXPECT_NEAR (editor.delaySelectionSlider.getValue(), 0.996, 1.0e-12);
    editor.bpmSlider.setValue (0.0);
    EXPECT_EQ (editor.bpmSlider.getValue(), 0.2);

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
        // Unshrunk, the panel stays on whole pixels.
        { 877, 300, 1.0f, 0.0f, 0.0f },
        { 879, 303, 1.0f, 1.0f, 1.0f },
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
