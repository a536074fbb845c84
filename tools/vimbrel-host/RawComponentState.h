#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace vimbrel::host
{
// The bytes the plug-in's VST3 component saves into a project (the plug-in's own state
// followed by the framework's trailer), as the host received them.
juce::MemoryBlock componentStateOf (juce::AudioPluginInstance& plugin);

// Hands the given bytes to the plug-in's VST3 component exactly as a host reopening a project
// would, whatever they hold.
void restoreComponentState (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& componentState);
} // namespace vimbrel::host
