#include "EchoPluginEditor.h"
#include "ProgramMenu.h"

// The parameter object the framework's plug-in formats hand their hosts for an index-based slot.
#include <juce_audio_processors/format_types/juce_LegacyAudioParameter.cpp>

juce::PopupMenu NewProjectAudioProcessorEditor::contextMenuFor (int slot)
{
    juce::PopupMenu menu;

    if (auto* host = getHostContext(); host != nullptr && slot != panel::noSlot)
    {
        const juce::LegacyAudioParameter parameter (*processor, slot);

        if (const auto hostMenu = host->getContextMenuForParameter (&parameter))
        {
            menu = hostMenu->getEquivalentPopupMenu();
            menu.addSeparator();
        }
    }

    programmenu::addPrograms (menu, *processor);
    return menu;
}

void NewProjectAudioProcessorEditor::showContextMenu (int slot)
{
    // The host's items carry their own actions; a program's item comes back as its result.
    contextMenuFor (slot).showMenuAsync (juce::PopupMenu::Options().withDeletionCheck (*this),
                                         [editor = juce::Component::SafePointer (this)] (int result)
                                         {
                                             if (editor != nullptr)
                                                 programmenu::apply (*editor->processor, result);
                                         });
}

// A right-click on the panel, away from every control.
void NewProjectAudioProcessorEditor::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isPopupMenu())
        showContextMenu (panel::noSlot);
}
