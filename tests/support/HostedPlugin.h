#pragma once

#include "MessageLoop.h"
#include "PluginLoading.h"
#include "RawComponentState.h"
#include "model/SlotTable.h"

#include <gtest/gtest.h>

// The bundles this build made, loaded as hosts load them, and what the hosted and conformance
// tests do with them.
namespace vimbrel::test
{
// A fresh instance of the built bundle, loaded through the framework's VST3 hosting.
inline std::unique_ptr<juce::AudioPluginInstance> loadBuiltPlugin (double sampleRate = 48000.0, int blockSize = 512)
{
    juce::String error;
    auto plugin = vimbrel::host::loadPlugin (vimbrel::host::bundleUnderTest(), sampleRate, blockSize, error);
    EXPECT_NE (plugin, nullptr) << error;
    return plugin;
}

// The same, created but never prepared: a host may do anything before its first preparation.
inline std::unique_ptr<juce::AudioPluginInstance> loadUnpreparedBuiltPlugin()
{
    juce::String error;
    auto plugin = vimbrel::host::createPlugin (vimbrel::host::bundleUnderTest(), 48000.0, 512, error);
    EXPECT_NE (plugin, nullptr) << error;
    return plugin;
}

// The LV2 bundle this build made; none where it makes no LV2.
inline juce::File builtLv2Bundle()
{
#ifdef VIMBREL_BUILT_LV2_BUNDLE
    return juce::File (VIMBREL_BUILT_LV2_BUNDLE);
#else
    return {};
#endif
}

// The build's LV2, through the framework's LV2 hosting, found by the URI the build gave it;
// null where the build makes no LV2. Loading it from any other copy fails the test.
inline std::unique_ptr<juce::AudioPluginInstance> loadBuiltLv2Plugin (double sampleRate = 48000.0, int blockSize = 512)
{
    const auto bundle = builtLv2Bundle();
    if (bundle == juce::File())
        return nullptr;

    juce::String error;
    auto plugin = vimbrel::host::loadLv2Plugin (bundle, VIMBREL_LV2_URI, sampleRate, blockSize, error);
    EXPECT_NE (plugin, nullptr) << error;
    return plugin;
}

// The plug-in's window in a desktop window of the host, open for as long as it lives.
struct OpenWindow
{
    explicit OpenWindow (juce::AudioPluginInstance& plugin) : editor (plugin.createEditorIfNeeded())
    {
        if (editor == nullptr)
            return;
        window.setContentNonOwned (editor.get(), true);
        window.setVisible (true);
    }

    ~OpenWindow()
    {
        window.clearContentComponent();
        editor.reset();
    }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    juce::DocumentWindow window { "FHA_Vimbrel2", juce::Colours::black, 0 };
};

// Runs one block of silence, as a playing host does between its other calls; parameter
// changes the plug-in reports leave it this way.
inline void processOneBlock (juce::AudioPluginInstance& plugin, int numSamples = 512)
{
    juce::AudioBuffer<float> buffer (plugin.getTotalNumOutputChannels(), numSamples);
    buffer.clear();
    juce::MidiBuffer midi;
    plugin.processBlock (buffer, midi);
}

// A fresh instance that has restored the plug-in's saved state, with the host's view of it
// brought up to date: what the plug-in holds, seen through the host. (The framework's VST3
// hosting keeps the values the plug-in reports while it plays from its own view, so that view
// does not follow a program change the way a DAW's does.)
inline std::unique_ptr<juce::AudioPluginInstance> reloadedCopyOf (juce::AudioPluginInstance& plugin)
{
    auto copy = loadBuiltPlugin (plugin.getSampleRate(), plugin.getBlockSize());
    if (copy != nullptr)
    {
        vimbrel::host::restoreComponentState (*copy, vimbrel::host::componentStateOf (plugin));
        EXPECT_TRUE (deliverPostedMessages());
    }
    return copy;
}

// Every slot's value as the host sees it.
inline std::vector<float> slotValues (juce::AudioPluginInstance& plugin)
{
    std::vector<float> values;
    for (int slot = 0; slot < Slot::count; ++slot)
        values.push_back (plugin.getParameters()[slot]->getValue());
    return values;
}

inline juce::AudioProcessorParameter* parameterNamed (juce::AudioPluginInstance& plugin, const juce::String& name)
{
    for (auto* parameter : plugin.getParameters())
        if (parameter->getName (100) == name)
            return parameter;

    return nullptr;
}
} // namespace vimbrel::test
