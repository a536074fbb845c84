#include "RawComponentState.h"

namespace vimbrel::host
{
// The framework's VST3 hosting keeps a plug-in's state as a small XML document with the
// component's bytes in base-64 under "IComponent".
juce::MemoryBlock componentStateOf (juce::AudioPluginInstance& plugin)
{
    juce::MemoryBlock hostState;
    plugin.getStateInformation (hostState);

    juce::MemoryBlock componentState;

    if (const auto xml = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize()))
        if (const auto* component = xml->getChildByName ("IComponent"))
            componentState.fromBase64Encoding (component->getAllSubText());

    return componentState;
}

void restoreComponentState (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& componentState)
{
    juce::XmlElement xml ("VST3PluginState");
    xml.createNewChildElement ("IComponent")->addTextElement (componentState.toBase64Encoding());

    juce::MemoryBlock hostState;
    juce::AudioProcessor::copyXmlToBinary (xml, hostState);
    plugin.setStateInformation (hostState.getData(), (int) hostState.getSize());
}
} // namespace vimbrel::host
