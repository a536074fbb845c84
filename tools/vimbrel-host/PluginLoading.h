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
} // namespace vimbrel::host
