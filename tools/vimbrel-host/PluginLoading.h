#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace vimbrel::host
{
// The bundle to test: the one named by the VIMBREL_BUNDLE environment variable, otherwise
// the bundle this build made.
juce::File bundleUnderTest();

// Loads the bundle's plug-in through the framework's VST3 hosting, as a DAW would, prepared
// for the given rate and block size with the default stereo layout. Must run on the message
// thread. Gives nullptr and a message when the bundle cannot be loaded.
std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const juce::File& bundle, double sampleRate, int blockSize,
                                                       juce::String& error);

// The LV2 bundle this build makes; none where the build makes no LV2.
juce::File lv2BundleUnderTest();

// Loads the plug-in with this URI from an LV2 bundle through the framework's LV2 hosting,
// prepared as loadPlugin prepares a VST3. Only that bundle's folder is searched (LV2_PATH is
// set to it), so an installed copy elsewhere is not picked up. Gives nullptr and a message
// when the plug-in cannot be loaded, or when this build hosts no LV2.
std::unique_ptr<juce::AudioPluginInstance> loadLv2Plugin (const juce::File& bundle, const juce::String& uri,
                                                          double sampleRate, int blockSize, juce::String& error);
} // namespace vimbrel::host
