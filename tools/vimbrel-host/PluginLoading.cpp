#include "PluginLoading.h"

namespace vimbrel::host
{
juce::File bundleUnderTest()
{
    const auto fromEnvironment = juce::SystemStats::getEnvironmentVariable ("VIMBREL_BUNDLE", {});

    if (fromEnvironment.isNotEmpty())
        return juce::File (fromEnvironment);

#ifdef VIMBREL_BUILT_BUNDLE
    return juce::File().getChildFile (VIMBREL_BUILT_BUNDLE);
#else
    return {};
#endif
}

std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const juce::File& bundle, double sampleRate, int blockSize,
                                                       juce::String& error)
{
    if (! bundle.exists())
    {
        error = "no plug-in bundle at " + bundle.getFullPathName();
        return nullptr;
    }

    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> descriptions;
    format.findAllTypesForFile (descriptions, bundle.getFullPathName());

    if (descriptions.isEmpty())
    {
        error = "the bundle at " + bundle.getFullPathName() + " holds no VST3 plug-in";
        return nullptr;
    }

    auto instance = format.createInstanceFromDescription (*descriptions[0], sampleRate, blockSize, error);

    if (instance != nullptr)
    {
        instance->enableAllBuses();
        instance->prepareToPlay (sampleRate, blockSize);
        error.clear();
    }
    else if (error.isEmpty())
        error = "the plug-in in " + bundle.getFullPathName() + " could not be created";

    return instance;
}
} // namespace vimbrel::host
