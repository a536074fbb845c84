#include "EditorFixture.h"

namespace
{
using vimbrel::test::EditorFixture;

using UserSettings = EditorFixture;

juce::String settingsWith (const juce::String& values)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROPERTIES>\n" + values + "</PROPERTIES>\n";
}

TEST_F (UserSettings, DecideTheKnobStyleWhenTheWindowOpens)
{
    struct Case
    {
        const char* name;
        const char* file; // nullptr: no settings file
        int sens, stijl;
        juce::Slider::SliderStyle style;
        bool velocity;
    };

    const Case cases[] = {
        { "no file", nullptr, 0, 2, juce::Slider::RotaryVerticalDrag, false },
        { "rotary", "<VALUE name=\"stijl\" val=\"0\"/>", 0, 0, juce::Slider::Rotary, false },
        { "velocity", "<VALUE name=\"sens\" val=\"1\"/>", 1, 2, juce::Slider::RotaryVerticalDrag, true },
        { "both", "<VALUE name=\"stijl\" val=\"3\"/><VALUE name=\"sens\" val=\"7\"/>", 1, 3,
          juce::Slider::RotaryHorizontalVerticalDrag, true },
        { "style out of range", "<VALUE name=\"stijl\" val=\"9\"/>", 0, 9, juce::Slider::RotaryVerticalDrag, false },
        { "not numbers", "<VALUE name=\"stijl\" val=\"abc\"/><VALUE name=\"sens\" val=\"yes\"/>", 0, 0,
          juce::Slider::Rotary, false },
        { "keys are case-sensitive", "<VALUE name=\"Stijl\" val=\"0\"/>", 0, 2, juce::Slider::RotaryVerticalDrag,
          false },
        { "garbage file", "%%% this is not xml \x01\x02", 0, 2, juce::Slider::RotaryVerticalDrag, false },
    };

    for (const auto& c : cases)
    {
        if (c.file == nullptr)
            home.settingsFile().deleteFile();
        else if (juce::String (c.file).startsWith ("<"))
            home.writeSettings (settingsWith (c.file));
        else
            home.writeSettings (c.file);

        auto& editor = openEditor();
        EXPECT_EQ (editor.sens, c.sens) << c.name;
        EXPECT_EQ (editor.stijl, c.stijl) << c.name;

        for (auto* knob : { &editor.inputSlider, &editor.toneSlider, &editor.delaySelectionSlider })
        {
            EXPECT_EQ (knob->getSliderStyle(), c.style) << c.name;
            EXPECT_EQ (knob->getVelocityBasedMode(), c.velocity) << c.name;
        }

        EXPECT_EQ (editor.bpmSlider.getSliderStyle(), juce::Slider::LinearHorizontal) << c.name;
        closeEditor();
    }
}

TEST_F (UserSettings, AreNotWrittenByOpeningAndClosingTheWindow)
{
    openEditor();
    closeEditor();
    openEditor();
    closeEditor();
    EXPECT_FALSE (home.settingsFile().exists());
    EXPECT_FALSE (home.settingsFile().getParentDirectory().exists());
}

TEST_F (UserSettings, AnUnknownStyleLeavesTheDialogWithoutOneAndIsStoredAsMinusOne)
{
    home.writeSettings (settingsWith ("<VALUE name=\"stijl\" val=\"9\"/>"));
    openEditor();

    openedEditor->fhaButton.triggerClick();
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil (
        [] { return juce::Component::getCurrentlyModalComponent() != nullptr; }, 1000));
    auto* dialog = dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent());
    ASSERT_NE (dialog, nullptr);
    EXPECT_EQ (dialog->getComboBoxComponent ("stijl")->getSelectedItemIndex(), -1);

    static_cast<juce::Component*> (dialog)->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil (
        [] { return juce::Component::getCurrentlyModalComponent() == nullptr; }, 1000));
    ASSERT_TRUE (vimbrel::test::deliverPostedMessages());

    EXPECT_EQ (openedEditor->stijl, -1);
    EXPECT_EQ (openedEditor->inputSlider.getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    closeEditor();
    EXPECT_TRUE (home.settingsFile().loadFileAsString().contains ("\"stijl\" val=\"-1\""));
}
} // namespace
