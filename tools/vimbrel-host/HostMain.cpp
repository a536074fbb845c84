// vimbrel-host: loads a VST3 bundle through the framework's VST3 hosting, as a DAW does,
// and describes what a host sees: the module's identity, the buses, the parameters (with their
// VST3 IDs) and the factory programs.
//
//   vimbrel-host [path/to/FHA_Vimbrel2.vst3]

#include "ModuleIdentity.h"
#include "PluginLoading.h"

#include <iostream>

namespace
{
void printIdentity (const vimbrel::host::ModuleIdentity& identity)
{
    std::cout << "Factory: vendor \"" << identity.vendor << "\", url \"" << identity.url << "\", e-mail \""
              << identity.email << "\", flags " << identity.flags << "\n";

    for (const auto& entry : identity.classes)
        std::cout << "Class \"" << entry.name << "\" (" << entry.category << "), id "
                  << vimbrel::host::toHex (entry.classId) << ", sub-categories \"" << entry.subCategories
                  << "\", vendor \"" << entry.vendor << "\", version " << entry.version << ", " << entry.sdkVersion
                  << "\n";
}

juce::String parameterId (juce::AudioProcessorParameter& parameter)
{
    const auto* hosted = dynamic_cast<juce::HostedAudioProcessorParameter*> (&parameter);
    return hosted != nullptr ? hosted->getParameterID() : "?";
}

void printPlugin (juce::AudioPluginInstance& plugin)
{
    std::cout << "Plug-in \"" << plugin.getName() << "\", " << plugin.getTotalNumInputChannels() << " in / "
              << plugin.getTotalNumOutputChannels() << " out";

    for (int bus = 0; bus < plugin.getBusCount (true); ++bus)
        std::cout << ", input bus \"" << plugin.getBus (true, bus)->getName() << "\"";

    for (int bus = 0; bus < plugin.getBusCount (false); ++bus)
        std::cout << ", output bus \"" << plugin.getBus (false, bus)->getName() << "\"";

    std::cout << "\n\nParameters (" << plugin.getParameters().size() << "):\n";

    // The VST3 parameter ID is what a saved project and its automation refer to.
    for (auto* parameter : plugin.getParameters())
        std::cout << "  " << juce::String (parameter->getParameterIndex()).paddedLeft (' ', 2) << "  id "
                  << parameterId (*parameter).paddedRight (' ', 10) << "  "
                  << parameter->getName (64).paddedRight (' ', 20) << " default "
                  << juce::String (parameter->getDefaultValue(), 4) << ", now "
                  << juce::String (parameter->getValue(), 4) << "  \"" << parameter->getCurrentValueAsText() << "\""
                  << (parameter->isAutomatable() ? "" : "  (not automatable)") << "\n";

    std::cout << "\nPrograms (" << plugin.getNumPrograms() << "), current " << plugin.getCurrentProgram() << ":\n";

    for (int program = 0; program < plugin.getNumPrograms(); ++program)
        std::cout << "  " << program << "  " << plugin.getProgramName (program) << "\n";
}
} // namespace

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI framework;

    const auto bundle =
        argc > 1 ? juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]) : vimbrel::host::bundleUnderTest();

    const auto identity = vimbrel::host::readModuleIdentity (bundle);

    if (identity.error.isNotEmpty())
    {
        std::cerr << "vimbrel-host: " << identity.error << "\n";
        return 1;
    }

    juce::String error;
    auto plugin = vimbrel::host::loadPlugin (bundle, 48000.0, 512, error);

    if (plugin == nullptr)
    {
        std::cerr << "vimbrel-host: " << error << "\n";
        return 1;
    }

    std::cout << "Bundle " << bundle.getFullPathName() << "\n";
    printIdentity (identity);
    printPlugin (*plugin);
    return 0;
}
