#include "PluginLoading.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <link.h>

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

// The real path of a file, or the path itself when it cannot be resolved.
std::filesystem::path realPathOf (const std::filesystem::path& path)
{
    std::error_code failed;
    auto real = std::filesystem::canonical (path, failed);
    return failed ? path : real;
}

#if JUCE_PLUGINHOST_LV2
// The loaded binaries of the bundle's names found elsewhere than in the bundle: a plug-in
// binary loaded from another copy.
juce::StringArray binariesFromOtherCopies (const juce::File& bundle)
{
    const auto bundleFolder = realPathOf (bundle.getFullPathName().toStdString());
    juce::StringArray others;

    for (const auto& loaded : loadedBinariesNamedAsIn (bundle))
        if (std::filesystem::path (loaded.toStdString()).parent_path() != bundleFolder)
            others.add (loaded);

    return others;
}
#endif
} // namespace

juce::StringArray loadedBinariesNamedAsIn (const juce::File& bundle)
{
    struct Search
    {
        std::vector<std::string> names;
        juce::StringArray found;
    } search;

    for (const auto& binary : bundle.findChildFiles (juce::File::findFiles, false, "*.so"))
        search.names.push_back (binary.getFileName().toStdString());

    // The dynamic loader's own list, which needs no /proc.
    dl_iterate_phdr (
        [] (dl_phdr_info* info, size_t, void* data)
        {
            auto& s = *static_cast<Search*> (data);

            if (info->dlpi_name == nullptr || *info->dlpi_name == 0)
                return 0;

            const auto loaded = realPathOf (info->dlpi_name);

            if (std::find (s.names.begin(), s.names.end(), loaded.filename().string()) != s.names.end())
                s.found.addIfNotAlreadyThere (loaded.string());

            return 0;
        },
        &search);

    return search.found;
}

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
