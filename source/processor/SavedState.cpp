#include "SlotRows.h"

#include <cmath>
#include <optional>

namespace
{
const juce::Identifier stateTag ("Vimbrel2v12");

// The settings in the order a state holds them. The manual tempo joined the state after the
// program index and the test value, so it follows them.
constexpr std::array<Slot::Index, 18> savedSlots { Slot::input,           Slot::length,       Slot::tone,
                                                   Slot::delaySelection,  Slot::selection,    Slot::volume,
                                                   Slot::stereoFeedback1, Slot::doubleTime,   Slot::stereoFeedback2,
                                                   Slot::oversampling,    Slot::manualSource, Slot::hostSource,
                                                   Slot::classicSource,   Slot::beat58,       Slot::beat68,
                                                   Slot::beat78,          Slot::beat88,       Slot::manualBpm };
constexpr std::size_t settingsBeforeProgram = 17;
static_assert (listsExactlyTheSlotsWith (&SlotRow::attribute, savedSlots));

// The framework's number reader gathers an exponent's digits in an int, which ten or more
// of them can overflow. No double needs more than three (leading zeros aside), so a text with more
// than four is refused before it reaches the reader.
bool hasOverlongExponent (const juce::String& text)
{
    const int e = text.indexOfAnyOf ("eE");
    if (e < 0)
        return false;

    auto digits = text.substring (e + 1);
    if (digits.startsWithChar ('+') || digits.startsWithChar ('-'))
        digits = digits.substring (1);
    digits = digits.initialSectionContainingOnly ("0123456789").trimCharactersAtStart ("0");
    return digits.length() > 4;
}

// A saved number is used only when the attribute is there, reads as a number from its first
// character to its last (in the C locale, whatever the host's locale), and is finite.
std::optional<double> readNumber (const juce::XmlElement& element, const char* attribute)
{
    if (! element.hasAttribute (attribute))
        return std::nullopt;

    const auto text = element.getStringAttribute (attribute).trim();

    if (! text.containsAnyOf ("0123456789") || hasOverlongExponent (text))
        return std::nullopt;

    auto position = text.getCharPointer();
    const double value = juce::CharacterFunctions::readDoubleValue (position);

    if (! position.isEmpty() || ! std::isfinite (value))
        return std::nullopt;

    return value;
}

// The framework's binary form of a state is a marker, the length of the text that follows,
// then the text. Two kinds of damage are refused whole:
// - a block shorter than its stated length was cut off in transit; the text parser would still
//   make an element of whatever part arrived;
// - the framework's text parser steps over the bytes a multi-byte character announces without
//   looking at them, so text that is not valid UTF-8 can take it past the end of the block. The
//   plug-in writes plain ASCII, so such text is damage too.
// A block without the marker is left to the framework, which reads nothing from it.
bool isDamaged (const void* data, int sizeInBytes)
{
    constexpr juce::uint32 binaryXmlMarker = 0x21324356;

    if (sizeInBytes < 8 || juce::ByteOrder::littleEndianInt (data) != binaryXmlMarker)
        return false;

    const auto statedLength = juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

    if (statedLength > (juce::uint32) (sizeInBytes - 8))
        return true;

    return ! juce::CharPointer_UTF8::isValidString (static_cast<const char*> (data) + 8, (int) statedLength);
}
} // namespace

void NewProjectAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement state (stateTag);
    state.setAttribute ("pluginVersion", 1);

    for (std::size_t i = 0; i < savedSlots.size(); ++i)
    {
        if (i == settingsBeforeProgram)
        {
            state.setAttribute ("curProgram", (int) curProgram);
            state.setAttribute ("test", test);
        }

        const auto& row = slotRows[(size_t) savedSlots[i]];
        state.setAttribute (row.attribute, (double) (this->*row.field));
    }

    copyXmlToBinary (state, destData);
}

void NewProjectAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= 0 || isDamaged (data, sizeInBytes))
        return;

    if (const auto state = getXmlFromBinary (data, sizeInBytes); state != nullptr && state->hasTagName (stateTag))
    {
        applyStateElement (*state);
        announceParameterValues();

        // The framework's VST3 layer drops what is announced while a host restores a state, yet
        // passes on, with the next block, values announced just before: Ardour 7 selects the
        // saved factory program first, and the program's values would then replace the restored
        // ones in the host and, through it, here. Announcing the restored values again from that
        // block keeps them.
        valuesToReport = true;
    }
}

void NewProjectAudioProcessor::applyStateElement (const juce::XmlElement& state)
{
    // Every setting goes through the same path as a host write, so the tone shelves and the
    // head spacing follow; settings that are missing or unreadable keep their current value.
    for (const auto slot : savedSlots)
    {
        const auto& row = slotRows[(size_t) slot];

        if (const auto value = readNumber (state, row.attribute))
            setParameter (slot, (float) (*value / row.scale));
    }

    if (const auto program = readNumber (state, "curProgram"))
        if (*program >= 0.0 && *program < numPrograms && *program == std::floor (*program))
            curProgram = (int) *program;
}
