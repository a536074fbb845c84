#include "PluginLoading.h"

#include <cstdlib>

namespace vimbrel::host
{
namespace
{
// A created instance with every bus on, prepared for the rate and block size.
std::unique_ptr<juce::AudioPluginInstance> prepared (std::unique_ptr<juce::AudioPluginInstance> instance,
                                                     const juce::File& bundle, double sampleRate, int blockSize,
                                                     juce::String& error)
{
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
} // namespace

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

    return prepared (format.createInstanceFromDescription (*descriptions[0], sampleRate, blockSize, error), bundle,
                     sampleRate, blockSize, error);
}

juce::File lv2BundleUnderTest()
{
#ifdef VIMBREL_BUILT_LV2_BUNDLE
    return juce::File().getChildFile (VIMBREL_BUILT_LV2_BUNDLE);
#else
    return {};
#endif
}

std::unique_ptr<juce::AudioPluginInstance> loadLv2Plugin ([[maybe_unused]] const juce::File& bundle,
                                                          [[maybe_unused]] const juce::String& uri,
                                                          [[maybe_unused]] double sampleRate,
                                                          [[maybe_unused]] int blockSize, juce::String& error)
{
#if JUCE_PLUGINHOST_LV2
    if (! bundle.isDirectory())
    {
        error = "no LV2 bundle at " + bundle.getFullPathName();
        return nullptr;
    }

    // The framework's LV2 hosting reads the folders LV2_PATH names when it first starts.
    setenv ("LV2_PATH", bundle.getParentDirectory().getFullPathName().toRawUTF8(), 1);

    juce::LV2PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> descriptions;
    format.findAllTypesForFile (descriptions, uri);

    if (descriptions.isEmpty())
    {
        error = "no LV2 plug-in " + uri + " in " + bundle.getParentDirectory().getFullPathName();
        return nullptr;
    }

    return prepared (format.createInstanceFromDescription (*descriptions[0], sampleRate, blockSize, error), bundle,
                     sampleRate, blockSize, error);
#else
    error = "this build hosts no LV2";
    return nullptr;
#endif
}
} // namespace vimbrel::host
