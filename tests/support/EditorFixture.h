#pragma once

#include "editor/EchoPluginEditor.h"

#include "MessageLoop.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace vimbrel::test
{
// Points HOME at a fresh folder for the life of a test, so the per-user settings file of the
// window is the test's own.
class TemporaryHome
{
public:
    TemporaryHome()
    {
        folder.createDirectory();
        const char* previous = std::getenv ("HOME");
        previousHome = previous != nullptr ? previous : "";
        setenv ("HOME", folder.getFullPathName().toRawUTF8(), 1);
    }

    ~TemporaryHome()
    {
        setenv ("HOME", previousHome.toRawUTF8(), 1);
        folder.deleteRecursively();
    }

    juce::File settingsFile() const { return folder.getChildFile ("KVOR/Vimbrel2.settings"); }

    void writeSettings (const juce::String& text) const
    {
        settingsFile().getParentDirectory().createDirectory();
        settingsFile().replaceWithText (text);
    }

private:
    juce::File folder { juce::File::createTempFile ("vimbrel-home") };
    juce::String previousHome;
};

// What the host hears from the plug-in: parameter changes and change gestures, in order.
struct HostRecorder : juce::AudioProcessorListener
{
    struct Event
    {
        char kind; // 'b' gesture begins, 'v' value, 'e' gesture ends
        int slot;
        float value;

        bool operator== (const Event& other) const
        {
            return kind == other.kind && slot == other.slot && value == other.value;
        }
    };

    void audioProcessorParameterChanged (juce::AudioProcessor*, int slot, float value) override
    {
        events.push_back ({ 'v', slot, value });
    }
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int slot) override
    {
        events.push_back ({ 'b', slot, 0.0f });
    }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int slot) override
    {
        events.push_back ({ 'e', slot, 0.0f });
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    std::vector<Event> events;
};

inline std::ostream& operator<< (std::ostream& out, const HostRecorder::Event& e)
{
    return out << e.kind << "(" << e.slot << (e.kind == 'v' ? ", " + std::to_string (e.value) : std::string()) << ")";
}

// A processor with its window open, as a host has them, and a recorder of what the host hears.
class EditorFixture : public ::testing::Test
{
protected:
    EditorFixture() { processor->addListener (&host); }

    ~EditorFixture() override
    {
        closeEditor();
        processor->removeListener (&host);
    }

    NewProjectAudioProcessorEditor& openEditor()
    {
        host.events.clear();
        openedEditor.reset (dynamic_cast<NewProjectAudioProcessorEditor*> (processor->createEditor()));
        return *openedEditor;
    }

    void closeEditor() { openedEditor.reset(); }

    // Brings the window up to date with the processor, as its timer's next tick would.
    void refresh() { openedEditor->timerCallback(); }

    TemporaryHome home;
    std::unique_ptr<NewProjectAudioProcessor> processor = std::make_unique<NewProjectAudioProcessor>();
    std::unique_ptr<NewProjectAudioProcessorEditor> openedEditor;
    HostRecorder host;
};
} // namespace vimbrel::test
