#include "PluginLoading.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace vimbrel::host
{
namespace
{
std::unique_ptr<juce::AudioPluginInstance> created (std::unique_ptr<juce::AudioPluginInstance> instance,
                                                    const juce::File& bundle, juce::String& error)
{
    if (instance != nullptr)
        error.clear();
    else if (error.isEmpty())
        error = "the plug-in in " + bundle.getFullPathName() + " could not be created";

    return instance;
}

// A created instance with every bus on, prepared for the rate and block size.
std::unique_ptr<juce::AudioPluginInstance> prepared (std::unique_ptr<juce::AudioPluginInstance> instance,
                                                     double sampleRate, int blockSize)
{
    if (instance != nullptr)
    {
        instance->enableAllBuses();
        instance->prepareToPlay (sampleRate, blockSize);
    }

    return instance;
}

#if JUCE_PLUGINHOST_LV2
// The files this process has mapped whose name is one of the bundle's shared libraries, found
// elsewhere than in the bundle: a plug-in binary loaded from another copy.
juce::StringArray binariesFromOtherCopies (const juce::File& bundle)
{
    // The kernel names mapped files by their real paths.
    std::error_code failed;
    const auto realPath = std::filesystem::canonical (bundle.getFullPathName().toStdString(), failed);
    const juce::File bundleFolder (failed ? bundle.getFullPathName() : juce::String (realPath.string()));
    juce::StringArray names, others;

    for (const auto& binary : bundleFolder.findChildFiles (juce::File::findFiles, false, "*.so"))
        names.add (binary.getFileName());

    // The kernel gives the file's size as 0, so it is read line by line.
    std::ifstream maps ("/proc/self/maps");

    for (std::string line; std::getline (maps, line);)
    {
        const auto path = juce::String (line).fromFirstOccurrenceOf ("/", true, false).trim();
        const juce::File mapped (path);

        if (path.isNotEmpty() && names.contains (mapped.getFileName()) && ! mapped.isAChildOf (bundleFolder))
            others.addIfNotAlreadyThere (path);
    }

    return others;
}
#endif
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

std::unique_ptr<juce::AudioPluginInstance> createPlugin (const juce::File& bundle, double sampleRate, int blockSize,
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

    return created (format.createInstanceFromDescription (*descriptions[0], sampleRate, blockSize, error), bundle,
                    error);
}

std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const juce::File& bundle, double sampleRate, int blockSize,
                                                       juce::String& error)
{
    return prepared (createPlugin (bundle, sampleRate, blockSize, error), sampleRate, blockSize);
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

    juce::LV2PluginFormat format;
    format.searchPathsForPlugins (juce::FileSearchPath (bundle.getParentDirectory().getFullPathName()), false, false);
    juce::OwnedArray<juce::PluginDescription> descriptions;
    format.findAllTypesForFile (descriptions, uri);

    if (descriptions.isEmpty())
    {
        error = "no LV2 plug-in " + uri + " in " + bundle.getParentDirectory().getFullPathName();
        return nullptr;
    }

    auto instance =
        created (format.createInstanceFromDescription (*descriptions[0], sampleRate, blockSize, error), bundle, error);

    if (const auto others = binariesFromOtherCopies (bundle); instance != nullptr && ! others.isEmpty())
    {
        error = "the LV2 plug-in " + uri + " was loaded from " + others.joinIntoString (", ") + ", not from " +
                bundle.getFullPathName();
        return nullptr;
    }

    return prepared (std::move (instance), sampleRate, blockSize);
#else
    error = "this build hosts no LV2";
    return nullptr;
#endif
}
} // namespace vimbrel::host
