#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace vimbrel::host
{
// The bundle to test: the one named by the VIMBREL_BUNDLE environment variable, otherwise
// the bundle this build made.
juce::File bundleUnderTest();

// The real paths of the shared objects this process has loaded whose file name is one of the
// bundle's binaries, wherever they came from.
juce::StringArray loadedBinariesNamedAsIn (const juce::File& bundle);

// Creates the bundle's plug-in through the framework's VST3 hosting, as a DAW would, and
// leaves it unprepared: a host may do anything before the first preparation. Must run on the
// message thread. Gives nullptr and a message when the bundle cannot be loaded.
std::unique_ptr<juce::AudioPluginInstance> createPlugin (const juce::File& bundle, double sampleRate, int blockSize,
                                                         juce::String& error);

// createPlugin, then prepared for the given rate and block size with every bus on.
std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const juce::File& bundle, double sampleRate, int blockSize,
                                                       juce::String& error);

// Loads the plug-in with this URI from an LV2 bundle through the framework's LV2 hosting,
// prepared as loadPlugin prepares a VST3. The framework's LV2 hosting finds a plug-in by its
// URI in the folders it always reads (~/.lv2 and the system's), and in the bundle's folder;
// an installed copy may come first, so the binary the instance runs is checked: one from
// anywhere but this bundle gives nullptr and says where it came from. Gives nullptr and a
// message too when the plug-in cannot be loaded, or when this build hosts no LV2.
std::unique_ptr<juce::AudioPluginInstance> loadLv2Plugin (const juce::File& bundle, const juce::String& uri,
                                                          double sampleRate, int blockSize, juce::String& error);
} // namespace vimbrel::host
