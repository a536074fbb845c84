#include "EditorFixture.h"
#include "MessageLoop.h"

#include "editor/ProgramMenu.h"

#include <cmath>
#include <vector>

namespace
{
using vimbrel::test::EditorFixture;

struct Item
{
    juce::String text;
    int id;
    bool ticked, separator;

    bool operator== (const Item& other) const
    {
        return text == other.text && id == other.id && ticked == other.ticked && separator == other.separator;
    }
};

std::ostream& operator<< (std::ostream& out, const Item& item)
{
    return out << (item.separator ? juce::String ("----") : item.text + " #" + juce::String (item.id))
               << (item.ticked ? " (ticked)" : "");
}

std::vector<Item> itemsOf (const juce::PopupMenu& menu)
{
    std::vector<Item> items;

    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        items.push_back ({ item.text, item.itemID, item.isTicked, item.isSeparator });
    }

    return items;
}

// The six programs as the menu should list them, with the processor's current one ticked.
std::vector<Item> programItems (NewProjectAudioProcessor& processor)
{
    std::vector<Item> items;

    for (int program = 0; program < NewProjectAudioProcessor::numPrograms; ++program)
        items.push_back (
            { processor.getProgramName (program), program + 1, program == processor.getCurrentProgram(), false });

    return items;
}

// A host that offers a menu of its own for every parameter, as a VST3 host does through its
// context-menu interface; it notes which parameter it was asked about.
struct HostWithMenus : juce::AudioProcessorEditorHostContext
{
    struct Menu : juce::HostProvidedContextMenu
    {
        juce::PopupMenu getEquivalentPopupMenu() const override
        {
            juce::PopupMenu menu;
            menu.addItem ("Automate", [] {});
            menu.addItem ("Reset to default", [] {});
            return menu;
        }

        void showNativeMenu (juce::Point<int>) const override {}
    };

    std::unique_ptr<juce::HostProvidedContextMenu>
    getContextMenuForParameter (const juce::AudioProcessorParameter* parameter) const override
    {
        askedAbout.push_back (parameter != nullptr ? parameter->getParameterIndex() : -1);
        return std::make_unique<Menu>();
    }

    mutable std::vector<int> askedAbout;
};

// Whether the host heard that the program changed, besides the values.
struct ProgramChangeRecorder : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
    {
        programChanges += details.programChanged ? 1 : 0;
    }

    int programChanges = 0;
};

using ProgramMenu = EditorFixture;

// The panel's menu lists the six factory programs under their names, the current one ticked,
// whichever it is.
TEST_F (ProgramMenu, ListsTheSixProgramsWithTheCurrentOneTicked)
{
    auto& editor = openEditor();

    for (int current = 0; current < NewProjectAudioProcessor::numPrograms; ++current)
    {
        processor->setCurrentProgram (current);
        const auto items = itemsOf (editor.contextMenuFor (panel::noSlot));

        ASSERT_EQ (programItems (*processor), items) << "program " << current;
        EXPECT_TRUE (items[(size_t) current].ticked);
    }
}

// Choosing a program from the menu leaves the processor exactly as the host's program list
// does, the host hears the new values and that the program changed, and the window follows.
// Results that name no program (a dismissed menu, a host's item) change nothing.
TEST_F (ProgramMenu, ChoosingAProgramAppliesItAsTheHostsListDoes)
{
    auto& editor = openEditor();
    ProgramChangeRecorder programHost;
    processor->addListener (&programHost);

    for (const int result : { 0, -1, 7 })
    {
        EXPECT_FALSE (programmenu::apply (*processor, result)) << result;
        EXPECT_EQ (0, processor->getCurrentProgram()) << result;
    }

    EXPECT_TRUE (host.events.empty());
    EXPECT_EQ (0, programHost.programChanges);

    const auto hostChosen = std::make_unique<NewProjectAudioProcessor>();
    hostChosen->setCurrentProgram (3);

    ASSERT_TRUE (programmenu::apply (*processor, programmenu::itemFor (3)));
    EXPECT_EQ (3, processor->getCurrentProgram());
    EXPECT_EQ (1, programHost.programChanges);

    for (int slot = 0; slot < NewProjectAudioProcessor::numParameterSlots; ++slot)
        EXPECT_EQ (hostChosen->getParameter (slot), processor->getParameter (slot)) << "slot " << slot;

    // The host is told every automatable slot's new value.
    for (const auto slot : { Slot::selection, Slot::delaySelection, Slot::stereoFeedback1, Slot::stereoFeedback2 })
    {
        const vimbrel::test::HostRecorder::Event told { 'v', slot, processor->getParameter (slot) };
        EXPECT_NE (std::find (host.events.begin(), host.events.end(), told), host.events.end()) << "slot " << slot;
    }

    processor->removeListener (&programHost);
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil (
        [&] { return std::abs (editor.selectionSlider.getValue() - processor->fselection) < 0.01; }, 5000))
        << "the window did not follow the program";
}

// On a control, a host that offers a menu for the control's parameter has its menu shown first,
// asked about that very slot, with the programs below it; the panel's own menu asks it nothing.
TEST_F (ProgramMenu, AControlShowsTheHostsMenuForItsParameterAboveThePrograms)
{
    auto& editor = openEditor();
    HostWithMenus hostMenus;
    editor.setHostContext (&hostMenus);

    // The framework numbers items that carry their own action -1: they never read as a program.
    std::vector<Item> expected { { "Automate", -1, false, false },
                                 { "Reset to default", -1, false, false },
                                 { {}, 0, false, true } };
    for (const auto& item : programItems (*processor))
        expected.push_back (item);

    for (const auto* control : panel::controls)
    {
        if (control->slot == panel::noSlot)
            continue;

        EXPECT_EQ (expected, itemsOf (editor.contextMenuFor (control->slot))) << control->name;
        EXPECT_EQ (std::vector<int> { control->slot }, hostMenus.askedAbout) << control->name;
        hostMenus.askedAbout.clear();
    }

    EXPECT_EQ (programItems (*processor), itemsOf (editor.contextMenuFor (panel::noSlot)));
    EXPECT_TRUE (hostMenus.askedAbout.empty());
    editor.setHostContext (nullptr);
}

// A real right-click, at 100 % and at 200 %, on the panel, a knob, the fader and a key opens a
// menu, and the control under it neither moves nor toggles nor starts a change gesture.
TEST_F (ProgramMenu, ARightClickOpensTheMenuAndLeavesTheControlAlone)
{
    // The window as a host holds it: inside a window of the host's, which carries the scale.
    auto& editor = openEditor();
    juce::Component hostWindow;
    hostWindow.addAndMakeVisible (editor);
    hostWindow.addToDesktop (0);
    hostWindow.setVisible (true);

    const auto rightButton = juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier);
    const auto press = [&] (juce::Point<int> panelPoint, juce::ModifierKeys buttons)
    {
        const auto screen = editor.contentComponent.localPointToGlobal (panelPoint).toFloat();
        juce::Desktop::getInstance().getMainMouseSource().setScreenPosition (screen);
        auto* peer = hostWindow.getPeer();
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, peer->globalToLocal (screen), buttons,
                                juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                juce::Time::currentTimeMillis());
    };

    const juce::Point<int> targets[] = { { 20, 290 }, // the panel, away from every control
                                         panel::lengthSlider.bounds.getCentre(),
                                         panel::bpmSlider.bounds.getCentre(),
                                         panel::btn2Button.bounds.getCentre(),
                                         panel::tempoCaptionLabel.getCentre() };

    for (const float scale : { 1.0f, 2.0f })
    {
        editor.setScaleFactor (scale);
        hostWindow.setBounds (editor.getBoundsInParent());

        for (const auto& target : targets)
        {
            SCOPED_TRACE (target.toString() + " at " + juce::String (scale) + "x");
            std::vector<float> before;
            for (int slot = 0; slot < NewProjectAudioProcessor::numParameterSlots; ++slot)
                before.push_back (processor->getParameter (slot));
            host.events.clear();

            press (target, rightButton);
            press (target.translated (0, -30), rightButton);
            press (target.translated (0, -30), {});

            EXPECT_EQ (1, juce::ModalComponentManager::getInstance()->getNumModalComponents()) << "no menu opened";
            juce::PopupMenu::dismissAllActiveMenus();
            ASSERT_TRUE (vimbrel::test::runMessageLoopUntil (
                [] { return juce::ModalComponentManager::getInstance()->getNumModalComponents() == 0; }, 5000));

            for (int slot = 0; slot < NewProjectAudioProcessor::numParameterSlots; ++slot)
                EXPECT_EQ (before[(size_t) slot], processor->getParameter (slot)) << "slot " << slot;
            EXPECT_TRUE (host.events.empty());
        }
    }

    hostWindow.removeChildComponent (&editor);
}
} // namespace
