#include "EchoPluginProcessor.h"

#include <cmath>
#include <optional>

namespace
{
const juce::Identifier stateTag ("Vimbrel2v12");

// The slot each saved setting is restored through, in the order the state writes them.
struct SavedSetting
{
    const char* attribute;
    int slot;
};

constexpr std::array<SavedSetting, 17> savedSettings { {
    { "finput", 0 },
    { "flenght", 1 },
    { "ftone", 2 },
    { "fdelayselection", 5 },
    { "fselection", 4 },
    { "fvolume", 3 },
    { "fbtn1", 15 },
    { "fbtn2", 16 },
    { "fbtn3", 17 },
    { "foversampling", 9 },
    { "fbpmmanual", 11 },
    { "fbpmhost", 12 },
    { "fbpmclassic", 13 },
    { "fbtn58", 18 },
    { "fbtn68", 19 },
    { "fbtn78", 20 },
    { "fbtn88", 21 },
} };

// A saved number is used only when the attribute is there, reads as a number from its first
// character to its last (in the C locale, whatever the host's locale), and is finite.
std::optional<double> readNumber (const juce::XmlElement& element, const char* attribute)
{
    if (! element.hasAttribute (attribute))
        return std::nullopt;

    const auto text = element.getStringAttribute (attribute).trim();

    if (! text.containsAnyOf ("0123456789"))
        return std::nullopt;

    auto position = text.getCharPointer();
    const double value = juce::CharacterFunctions::readDoubleValue (position);

    if (! position.isEmpty() || ! std::isfinite (value))
        return std::nullopt;

    return value;
}
// The framework's binary form of a state is a marker, the length of the text that follows,
// then the text. A block shorter than its stated length was cut off in transit; the text
// parser would still make an element of whatever part arrived, so such a block is refused.
bool isCutShort (const void* data, int sizeInBytes)
{
    constexpr juce::uint32 binaryXmlMarker = 0x21324356;

    if (sizeInBytes < 8 || juce::ByteOrder::littleEndianInt (data) != binaryXmlMarker)
        return false;

    const auto statedLength = juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));
    return statedLength > (juce::uint32) (sizeInBytes - 8);
}
} // namespace

void NewProjectAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement state (stateTag);
    state.setAttribute ("pluginVersion", 1);
    state.setAttribute ("finput", (double) finput);
    state.setAttribute ("flenght", (double) flenght);
    state.setAttribute ("ftone", (double) ftone);
    state.setAttribute ("fdelayselection", (double) fdelayselection);
    state.setAttribute ("fselection", (double) fselection);
    state.setAttribute ("fvolume", (double) fvolume);
    state.setAttribute ("fbtn1", (double) fbtn1);
    state.setAttribute ("fbtn2", (double) fbtn2);
    state.setAttribute ("fbtn3", (double) fbtn3);
    state.setAttribute ("foversampling", (double) foversampling);
    state.setAttribute ("fbpmmanual", (double) fbpmmanual);
    state.setAttribute ("fbpmhost", (double) fbpmhost);
    state.setAttribute ("fbpmclassic", (double) fbpmclassic);
    state.setAttribute ("fbtn58", (double) fbtn58);
    state.setAttribute ("fbtn68", (double) fbtn68);
    state.setAttribute ("fbtn78", (double) fbtn78);
    state.setAttribute ("fbtn88", (double) fbtn88);
    state.setAttribute ("curProgram", (int) curProgram);
    state.setAttribute ("test", test);
    state.setAttribute ("fbpm", (double) fbpm);
    copyXmlToBinary (state, destData);
}

void NewProjectAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 0 || isCutShort (data, sizeInBytes))
        return;

    if (const auto state = getXmlFromBinary (data, sizeInBytes); state != nullptr && state->hasTagName (stateTag))
    {
        applyStateElement (*state);
        announceParameterValues();
    }
}

void NewProjectAudioProcessor::applyStateElement (const juce::XmlElement& state)
{
    // Every setting goes through the same path as a host write, so the tone shelves and the
    // head spacing follow; settings that are missing or unreadable keep their current value.
    for (const auto& setting : savedSettings)
        if (const auto value = readNumber (state, setting.attribute))
            setParameter (setting.slot, (float) *value);

    if (const auto bpm = readNumber (state, "fbpm"))
        setParameter (10, (float) (*bpm / 200.0));

    if (const auto program = readNumber (state, "curProgram"))
        if (*program >= 0.0 && *program < numPrograms && *program == std::floor (*program))
            curProgram = (int) *program;
}
