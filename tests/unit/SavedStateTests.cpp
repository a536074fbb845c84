#include "SlotValues.h"
#include "processor/SlotRows.h"

#include <gtest/gtest.h>

namespace
{
using vimbrel::test::slotValues;

juce::MemoryBlock stateOf (NewProjectAudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}

std::unique_ptr<juce::XmlElement> xmlOf (const juce::MemoryBlock& block)
{
    return juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
}

// A state as another instance would have written it, with the given attributes.
juce::MemoryBlock stateWith (std::initializer_list<std::pair<const char*, const char*>> attributes,
                             const char* tag = "Vimbrel2v12")
{
    juce::XmlElement xml (tag);
    for (const auto& [name, value] : attributes)
        xml.setAttribute (name, value);

    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (xml, block);
    return block;
}

// The framework's block around text the plug-in never writes: marker, length, text, terminator.
juce::MemoryBlock blockAround (const std::string& text)
{
    const auto marker = juce::ByteOrder::swapIfBigEndian ((juce::uint32) 0x21324356);
    const auto length = juce::ByteOrder::swapIfBigEndian ((juce::uint32) text.size());

    juce::MemoryBlock block;
    block.append (&marker, sizeof (marker));
    block.append (&length, sizeof (length));
    block.append (text.data(), text.size());
    block.append ("", 1);
    return block;
}

TEST (SavedState, IsTheFrameworksBinaryXmlBlock)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const auto block = stateOf (*processor);
    const auto* bytes = static_cast<const unsigned char*> (block.getData());

    ASSERT_GT (block.getSize(), 9u);
    EXPECT_EQ (bytes[0], 0x56);
    EXPECT_EQ (bytes[1], 0x43);
    EXPECT_EQ (bytes[2], 0x32);
    EXPECT_EQ (bytes[3], 0x21);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes + 4), block.getSize() - 9);
    EXPECT_EQ (bytes[block.getSize() - 1], 0);

    const juce::String text (juce::CharPointer_UTF8 ((const char*) bytes + 8));
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_FALSE (text.containsChar ('\n'));
}

TEST (SavedState, HoldsTheSettingsInItsOwnOrder)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const auto xml = xmlOf (stateOf (*processor));
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("Vimbrel2v12"));

    const std::pair<const char*, double> expected[] = {
        { "pluginVersion", 1 },
        { "finput", 1 },
        { "flenght", 0.5 },
        { "ftone", 0.5 },
        { "fdelayselection", (double) (1.0f / 12.0f) },
        { "fselection", (double) 0.33f },
        { "fvolume", 1 },
        { "fbtn1", 0 },
        { "fbtn2", 0 },
        { "fbtn3", 0 },
        { "foversampling", 0 },
        { "fbpmmanual", 0.5 },
        { "fbpmhost", 1 },
        { "fbpmclassic", 0 },
        { "fbtn58", 0 },
        { "fbtn68", 0 },
        { "fbtn78", 0 },
        { "fbtn88", 1 },
        { "curProgram", 0 },
        { "test", 1 },
        { "fbpm", 0 },
    };

    ASSERT_EQ (xml->getNumAttributes(), 21);

    for (int i = 0; i < 21; ++i)
    {
        EXPECT_EQ (xml->getAttributeName (i), expected[i].first) << "attribute " << i;
        // The framework's text form of a double brings every float back exactly.
        EXPECT_EQ ((float) xml->getDoubleAttribute (expected[i].first), (float) expected[i].second)
            << expected[i].first;
    }

    EXPECT_EQ (xml->getStringAttribute ("curProgram"), "0");
    EXPECT_EQ (xml->getStringAttribute ("test"), "1");
}

TEST (SavedState, FollowsTheSettings)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->setParameter (Slot::manualBpm, 0.6f);
    processor->setCurrentProgram (3);
    const auto xml = xmlOf (stateOf (*processor));

    EXPECT_NEAR (xml->getDoubleAttribute ("fbpm"), 120.0, 1.0e-5);
    EXPECT_EQ ((float) xml->getDoubleAttribute ("fbpm"), processor->fbpm);
    EXPECT_EQ (xml->getIntAttribute ("curProgram"), 3);
    EXPECT_EQ (xml->getDoubleAttribute ("fbtn1"), 1.0);
    EXPECT_EQ (xml->getDoubleAttribute ("fbtn3"), 1.0);
}

TEST (SavedState, ComesBackIntoAFreshInstance)
{
    auto original = std::make_unique<NewProjectAudioProcessor>();
    original->setCurrentProgram (4);
    const std::pair<Slot::Index, float> settings[] = {
        { Slot::input, 0.123f },       { Slot::length, 0.77f },    { Slot::tone, 0.9f },
        { Slot::volume, 0.31f },       { Slot::selection, 0.66f }, { Slot::delaySelection, 0.747f },
        { Slot::oversampling, 0.75f }, { Slot::manualBpm, 0.73f }, { Slot::manualSource, 1 },
        { Slot::hostSource, 0 },       { Slot::doubleTime, 1 },    { Slot::stereoFeedback1, 0.5f },
        { Slot::beat68, 1 },           { Slot::beat88, 0 },        { Slot::stereoFeedback2, 1 },
        { Slot::classicSource, 1 },    { Slot::beat58, 0.25f },    { Slot::beat78, 1 },
    };
    for (const auto& [slot, value] : settings)
        original->setParameter (slot, value);

    // Every saved setting differs from what a fresh instance holds, so none can come back by
    // being left out.
    const auto fresh = slotValues (*std::make_unique<NewProjectAudioProcessor>());
    for (const auto& row : slotRows)
    {
        if (row.attribute != nullptr)
        {
            ASSERT_NE (original->getParameter (row.slot), fresh[(size_t) row.slot]) << row.attribute;
        }
    }

    const auto saved = stateOf (*original);
    auto restored = std::make_unique<NewProjectAudioProcessor>();
    restored->prepareToPlay (48000.0, 512);
    restored->setStateInformation (saved.getData(), (int) saved.getSize());

    for (Slot::Index slot : { Slot::input, Slot::length, Slot::tone, Slot::volume, Slot::selection,
                              Slot::delaySelection, Slot::oversampling, Slot::manualBpm, Slot::manualSource,
                              Slot::hostSource, Slot::classicSource, Slot::stereoFeedback1, Slot::doubleTime,
                              Slot::stereoFeedback2, Slot::beat58, Slot::beat68, Slot::beat78, Slot::beat88 })
        EXPECT_EQ (restored->getParameter (slot), original->getParameter (slot)) << "slot " << slot;

    EXPECT_EQ (restored->getCurrentProgram(), 4);
    EXPECT_EQ (stateOf (*restored), saved);

    // The derived values follow the restored settings.
    EXPECT_EQ (restored->oversamplingFactor, 4);
    EXPECT_EQ (restored->headSpacing, original->headSpacing);
    EXPECT_EQ (restored->effectiveBpm, original->effectiveBpm);
    const auto shelf = makeToneShelf (48000.0, 0.9f);
    restored->engine.followToneControl();
    EXPECT_EQ (restored->engine.filters[1].toneShelf.c2, shelf.coefficients[2]);
}

TEST (SavedState, ManualTempoOnTheFaderComesBackExactly)
{
    auto original = std::make_unique<NewProjectAudioProcessor>();
    auto restored = std::make_unique<NewProjectAudioProcessor>();

    for (int step = 0; step <= 80; ++step)
    {
        original->setParameter (Slot::manualBpm, (float) (0.2 + step * 0.01));
        const auto saved = stateOf (*original);

        // Off the fader's range, as in a fresh instance, so only the restore can bring it back.
        restored->setParameter (Slot::manualBpm, 0.0f);
        ASSERT_EQ (restored->fbpm, 0.0f);

        restored->setStateInformation (saved.getData(), (int) saved.getSize());
        EXPECT_EQ (restored->fbpm, original->fbpm) << "step " << step;
    }
}

TEST (SavedState, RestoresTheProgramIndexWithoutApplyingIt)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const auto block = stateWith ({ { "curProgram", "2" } });
    processor->setStateInformation (block.getData(), (int) block.getSize());

    EXPECT_EQ (processor->getCurrentProgram(), 2);
    EXPECT_EQ (processor->flenght, 0.5f);
}

TEST (SavedState, DamagedBlocksChangeNothingTheyDoNotValidlyCarry)
{
    auto reference = std::make_unique<NewProjectAudioProcessor>();
    reference->setCurrentProgram (1);
    reference->setParameter (Slot::manualBpm, 0.5f);
    const auto good = stateOf (*reference);

    struct Case
    {
        const char* name;
        juce::MemoryBlock block;
        std::vector<std::pair<Slot::Index, float>> changedSlots; // what the block may validly change
        int program;
    };

    std::vector<Case> cases;
    cases.push_back ({ "empty", {}, {}, 0 });
    cases.push_back ({ "one byte", juce::MemoryBlock (1, true), {}, 0 });
    cases.push_back ({ "eight zero bytes", juce::MemoryBlock (8, true), {}, 0 });
    cases.push_back ({ "not xml", juce::MemoryBlock ("hello there, this is no state", 29), {}, 0 });
    cases.push_back ({ "another plug-in's tag", stateWith ({ { "finput", "0.2" } }, "SomethingElse"), {}, 0 });
    cases.push_back ({ "garbage numbers",
                       stateWith ({ { "finput", "abc" },
                                    { "flenght", "" },
                                    { "ftone", "nan" },
                                    { "fvolume", "inf" },
                                    { "fselection", "1e999" },
                                    { "fbtn1", "0.5x" },
                                    { "fbpm", "-inf" },
                                    { "curProgram", "seven" } }),
                       {},
                       0 });
    cases.push_back ({ "program out of range", stateWith ({ { "curProgram", "6" } }), {}, 0 });
    cases.push_back ({ "negative program", stateWith ({ { "curProgram", "-1" } }), {}, 0 });
    cases.push_back ({ "fractional program", stateWith ({ { "curProgram", "2.5" } }), {}, 0 });
    cases.push_back ({ "only one setting", stateWith ({ { "flenght", "0.25" } }), { { Slot::length, 0.25f } }, 0 });
    cases.push_back ({ "manual tempo", stateWith ({ { "fbpm", "150" } }), { { Slot::manualBpm, 0.75f } }, 0 });
    // The framework's parser steps over the bytes a lead byte announces without looking at
    // them, and so past the end of text that stops inside a character.
    cases.push_back ({ "text ending inside a character", blockAround ("<Vimbrel2v12 finput=\"\xea"), {}, 0 });
    // The same inside the text: a lead byte whose next byte is a quote, not a continuation. The
    // parser steps over the quote that closes the volume and takes what follows as a setting.
    cases.push_back ({ "a broken character inside a value",
                       blockAround ("<Vimbrel2v12 fvolume=\"0.5\xc2\" ftone=\" finput=\"0.25\"/>"),
                       {},
                       0 });
    // The framework's number reader would overflow on exponents this long.
    cases.push_back ({ "exponents beyond any number",
                       stateWith ({ { "fselection", "0.3e300000131130219" }, { "fvolume", "1e-99999999999" } }),
                       {},
                       0 });
    cases.push_back ({ "exponent with leading zeros",
                       stateWith ({ { "flenght", "25e-0000000002" } }),
                       { { Slot::length, 0.25f } },
                       0 });
    cases.push_back ({ "settings with spaces", stateWith ({ { "fvolume", " 0.5 " } }), { { Slot::volume, 0.5f } }, 0 });

    // Every cut that reaches into the text: the parser would make an element of what arrived.
    for (size_t length = 0; length + 1 < good.getSize(); ++length)
        cases.push_back ({ "truncated", juce::MemoryBlock (good.getData(), length), {}, 0 });

    // One instance serves every case: before each, every slot and the program index go back to
    // what a fresh instance holds.
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const auto fresh = slotValues (*processor);

    for (const auto& c : cases)
    {
        for (int slot = 0; slot < Slot::count; ++slot)
            processor->setParameter (slot, fresh[(size_t) slot]);
        processor->curProgram = 0;
        ASSERT_EQ (slotValues (*processor), fresh) << "before " << c.name;
        ASSERT_EQ (processor->getCurrentProgram(), 0) << "before " << c.name;

        auto expected = fresh;
        for (const auto& [slot, value] : c.changedSlots)
            expected[(size_t) slot] = value;

        processor->setStateInformation (c.block.getData(), (int) c.block.getSize());

        EXPECT_EQ (slotValues (*processor), expected) << c.name << " (" << c.block.getSize() << " bytes)";
        EXPECT_EQ (processor->getCurrentProgram(), c.program) << c.name;
    }

    processor = std::make_unique<NewProjectAudioProcessor>();
    processor->setStateInformation (nullptr, 100);
    processor->setStateInformation (good.getData(), -1);
    EXPECT_EQ (processor->flenght, 0.5f);
}
} // namespace
