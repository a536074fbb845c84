#include "EditorFixture.h"

namespace
{
using vimbrel::test::EditorFixture;
using vimbrel::test::runMessageLoopUntil;

class SettingsDialog : public EditorFixture
{
protected:
    // Clicks the logo and gives back the dialog that opens.
    juce::AlertWindow* open()
    {
        openedEditor->fhaButton.triggerClick();
        EXPECT_TRUE (
            runMessageLoopUntil ([] { return juce::Component::getCurrentlyModalComponent() != nullptr; }, 1000));
        return dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent());
    }

    // Presses Return in the dialog and waits until the editor has taken its answer, which the
    // framework delivers in a message it posts when the dialog closes.
    void confirm (juce::AlertWindow& dialog)
    {
        static_cast<juce::Component&> (dialog).keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
        EXPECT_TRUE (
            runMessageLoopUntil ([] { return juce::Component::getCurrentlyModalComponent() == nullptr; }, 1000));
        EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
    }

    static int selected (juce::AlertWindow& dialog, const char* box)
    {
        return dialog.getComboBoxComponent (box)->getSelectedItemIndex();
    }
};

TEST_F (SettingsDialog, ShowsTheMakerAndTheChoicesPreselected)
{
    openEditor();
    auto* dialog = open();
    ASSERT_NE (dialog, nullptr);

    EXPECT_EQ (dialog->getName(), "Fernhollow Audio");
    EXPECT_EQ (dialog->getNumButtons(), 1);

    const std::pair<const char*, juce::StringArray> boxes[] = {
        { "velsens", { "Not velocity sensitive", "Velocity sensitive" } },
        { "stijl", { "Rotary", "Horizontal drag", "Vertical drag", "Horizontal/Vertical drag" } },
        { "Oversampling", { "1x", "2x", "3x", "4x" } },
    };

    for (const auto& [name, items] : boxes)
    {
        auto* box = dialog->getComboBoxComponent (name);
        ASSERT_NE (box, nullptr) << name;
        ASSERT_EQ (box->getNumItems(), items.size()) << name;
        for (int i = 0; i < items.size(); ++i)
            EXPECT_EQ (box->getItemText (i), items[i]) << name;
    }

    EXPECT_EQ (selected (*dialog, "velsens"), 0);
    EXPECT_EQ (selected (*dialog, "stijl"), 2);
    EXPECT_EQ (selected (*dialog, "Oversampling"), 0);

    // Its logo hot-spot flips at each click and shows nothing.
    EXPECT_FALSE (openedEditor->fhaButton.getToggleState());
    confirm (*dialog);
}

TEST_F (SettingsDialog, WritesTheOversamplingChoiceOnConfirm)
{
    struct Case
    {
        float stored;
        int preselected;
        float written;
    };

    const Case cases[] = {
        { 0.5f, 2, 0.5f },
        { 0.3f, 1, 0.25f },
        { 1.0f, -1, 1.0f }, // no choice shown: the host's value stays
        { std::numeric_limits<float>::quiet_NaN(), -1, -1.0f },
        { 1.0e30f, -1, 1.0e30f },
    };

    for (const auto& c : cases)
    {
        processor->setParameter (Slot::oversampling, c.stored);
        openEditor();
        auto* dialog = open();
        ASSERT_NE (dialog, nullptr);
        EXPECT_EQ (selected (*dialog, "Oversampling"), c.preselected) << c.stored;

        confirm (*dialog);

        const bool written =
            std::any_of (host.events.begin(), host.events.end(), [] (auto& e) { return e.slot == Slot::oversampling; });
        EXPECT_EQ (written, c.preselected >= 0) << c.stored;
        if (std::isnan (c.stored))
        {
            EXPECT_TRUE (std::isnan (processor->foversampling.load()));
        }
        else
        {
            EXPECT_EQ (processor->foversampling, c.written) << c.stored;
        }
        EXPECT_EQ (openedEditor->oversamplingChoice, c.preselected) << c.stored;
        closeEditor();
    }
}

TEST_F (SettingsDialog, AppliesAndStoresTheKnobPreferences)
{
    auto& editor = openEditor();
    auto* dialog = open();
    ASSERT_NE (dialog, nullptr);

    dialog->getComboBoxComponent ("stijl")->setSelectedItemIndex (1);
    dialog->getComboBoxComponent ("velsens")->setSelectedItemIndex (1);
    confirm (*dialog);

    EXPECT_EQ (editor.stijl, 1);
    EXPECT_EQ (editor.sens, 1);

    for (auto* knob : { &editor.inputSlider, &editor.lengthSlider, &editor.volumeSlider, &editor.toneSlider,
                        &editor.selectionSlider, &editor.delaySelectionSlider })
    {
        EXPECT_EQ (knob->getSliderStyle(), juce::Slider::RotaryHorizontalDrag) << knob->getName();
        EXPECT_TRUE (knob->getVelocityBasedMode()) << knob->getName();
    }

    EXPECT_EQ (editor.bpmSlider.getSliderStyle(), juce::Slider::LinearHorizontal);
    EXPECT_FALSE (editor.bpmSlider.getVelocityBasedMode());
    EXPECT_FALSE (editor.vuSlider.getVelocityBasedMode());

    // Saved three seconds later, or when the window closes first.
    EXPECT_FALSE (home.settingsFile().existsAsFile());
    closeEditor();

    const auto xml = juce::parseXML (home.settingsFile());
    ASSERT_NE (xml, nullptr);
    std::map<juce::String, juce::String> values;
    for (auto* value : xml->getChildWithTagNameIterator ("VALUE"))
        values[value->getStringAttribute ("name")] = value->getStringAttribute ("val");

    EXPECT_EQ (values["stijl"], "1");
    EXPECT_EQ (values["sens"], "1");
}

// Its checks are tied to the clock: the file must be missing just after the answer and there
// within seconds of it.
using SettingsDialogTimed = SettingsDialog;

TEST_F (SettingsDialogTimed, SavesByItselfAfterThreeSeconds)
{
    openEditor();
    auto* dialog = open();
    ASSERT_NE (dialog, nullptr);
    dialog->getComboBoxComponent ("stijl")->setSelectedItemIndex (3);
    confirm (*dialog);

    EXPECT_FALSE (home.settingsFile().existsAsFile());
    EXPECT_TRUE (runMessageLoopUntil ([&] { return home.settingsFile().existsAsFile(); }, 5000));
    EXPECT_TRUE (home.settingsFile().loadFileAsString().contains ("\"stijl\" val=\"3\""));
}

TEST_F (SettingsDialog, StillOpenWhenTheWindowClosesHarmsNothing)
{
    openEditor();
    auto* dialog = open();
    ASSERT_NE (dialog, nullptr);
    host.events.clear();

    // The closed dialog's answer, posted as it went, arrives and finds no window.
    closeEditor();
    EXPECT_TRUE (vimbrel::test::deliverPostedMessages());

    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
    EXPECT_TRUE (host.events.empty());
    EXPECT_FALSE (home.settingsFile().existsAsFile());

    // A new window opens its own dialog as usual.
    openEditor();
    auto* second = open();
    ASSERT_NE (second, nullptr);
    confirm (*second);
    ASSERT_FALSE (host.events.empty());
    EXPECT_EQ (host.events.back().slot, Slot::oversampling);
}
} // namespace
