#include "MessageLoop.h"
#include "SlotValues.h"

#include <gtest/gtest.h>

namespace
{
using vimbrel::test::slotValues;

// Records every slot write so the order of a program change can be checked.
struct RecordingProcessor : NewProjectAudioProcessor
{
    void setParameter (int index, float value) override
    {
        writes.push_back ({ index, value });
        NewProjectAudioProcessor::setParameter (index, value);
    }

    std::vector<std::pair<int, float>> writes;
};

struct HostListener : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
    {
        changes.push_back ({ index, value });
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    std::vector<std::pair<int, float>> changes;
};

TEST (FactoryPrograms, AreListedByName)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    const char* names[] = { "Standard", "Stereo delay", "Mono Swell", "Stereo Swell", "Doubling", "Guitar" };

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (processor->getProgramName (i), names[i]);

    EXPECT_EQ (processor->getProgramName (-1), "");
    EXPECT_EQ (processor->getProgramName (6), "");
}

TEST (FactoryPrograms, WriteTheirValuesInOrder)
{
    // The values of each program, in the order of the slots below.
    const float table[6][16] = {
        { 1.0f, 0.17f, 0.5f, 1.0f, 0.33f, 1.0f / 3.0f, 0, 0, 0, 0.5f, 1, 0, 0, 0, 0, 1 },
        { 0.4f, 0.6f, 0.5f, 1.0f, 0.66f, 0.332f, 1, 0, 1, 0.5f, 1, 0, 0, 0, 0, 1 },
        { 0.4f, 0.4f, 0.8f, 1.0f, 0.99f, 0.332f, 0, 0, 0, 0.5f, 1, 0, 0, 0, 0, 1 },
        { 0.4f, 0.4f, 0.8f, 1.0f, 0.99f, 0.332f, 1, 0, 1, 0.5f, 1, 0, 0, 0, 0, 1 },
        { 0.4f, 0.4f, 0.8f, 1.0f, 0.33f, 0.332f, 0, 0, 0, 0.5f, 1, 0, 0, 0, 0, 1 },
        { 0.4f, 0.4f, 0.8f, 1.0f, 0.99f, 0.332f, 0, 0, 0, 0.5f, 1, 0, 0, 0, 0, 1 },
    };
    const int order[] = { Slot::input,           Slot::length,     Slot::tone,
                          Slot::volume,          Slot::selection,  Slot::delaySelection,
                          Slot::stereoFeedback1, Slot::doubleTime, Slot::stereoFeedback2,
                          Slot::manualSource,    Slot::hostSource, Slot::classicSource,
                          Slot::beat58,          Slot::beat68,     Slot::beat78,
                          Slot::beat88 };

    // A program writes the same values whatever the slots held before, so one instance serves.
    auto processor = std::make_unique<RecordingProcessor>();

    for (int program = 0; program < 6; ++program)
    {
        processor->writes.clear();
        processor->setCurrentProgram (program);

        EXPECT_EQ (processor->getCurrentProgram(), program);
        ASSERT_EQ (processor->writes.size(), 16u) << "program " << program;

        for (size_t i = 0; i < 16; ++i)
        {
            EXPECT_EQ (processor->writes[i].first, order[i]) << "program " << program << ", write " << i;
            EXPECT_EQ (processor->writes[i].second, table[program][i]) << "program " << program << ", write " << i;
        }
    }
}

TEST (FactoryPrograms, KeepTheSettingsAProgramDoesNotHold)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->setParameter (Slot::oversampling, 0.5f);
    processor->setParameter (Slot::manualBpm, 0.7f);
    processor->setParameter (Slot::spareTempo, 0.1f);

    for (int program = 0; program < 6; ++program)
    {
        processor->setCurrentProgram (program);
        EXPECT_EQ (processor->getParameter (Slot::oversampling), 0.5f);
        EXPECT_EQ (processor->getParameter (Slot::manualBpm), 0.7f);
        EXPECT_EQ (processor->getParameter (Slot::spareTempo), 0.1f);
    }
}

TEST (FactoryPrograms, MonoSwellAndGuitarSoundTheSame)
{
    auto a = std::make_unique<NewProjectAudioProcessor>();
    auto b = std::make_unique<NewProjectAudioProcessor>();
    a->setCurrentProgram (2);
    b->setCurrentProgram (5);
    EXPECT_EQ (slotValues (*a), slotValues (*b));
    EXPECT_NE (a->programs[2].spare1, b->programs[5].spare1);
}

TEST (FactoryPrograms, IgnoreIndicesOutsideTheList)
{
    auto processor = std::make_unique<RecordingProcessor>();
    processor->setCurrentProgram (3);
    const auto before = slotValues (*processor);
    processor->writes.clear();

    for (int index : { -1, 6, 1000 })
    {
        processor->setCurrentProgram (index);
        EXPECT_EQ (processor->getCurrentProgram(), 3);
        EXPECT_TRUE (processor->writes.empty());
        EXPECT_EQ (slotValues (*processor), before);
    }
}

TEST (FactoryPrograms, StartAtStandardWithoutApplyingIt)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    EXPECT_EQ (processor->getCurrentProgram(), 0);
    EXPECT_EQ (processor->flenght, 0.5f);
    EXPECT_EQ (processor->programs[0].flenght, 0.17f);
}

TEST (FactoryPrograms, FollowTheHostTempoAndToneShelf)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->hostBpm = 100.0f;
    processor->setCurrentProgram (1);

    EXPECT_EQ (processor->getParameterText (Slot::tone), "0.00 dB");
    EXPECT_EQ (processor->headSpacing, 0.6f);
    EXPECT_EQ (processor->effectiveBpm, 100.0f);

    processor->setCurrentProgram (2);
    const auto shelf = makeToneShelf (processor->engine.sampleRate, 0.8f);
    processor->engine.followToneControl();
    EXPECT_EQ (processor->engine.filters[0].toneShelf.c0, shelf.coefficients[0]);
    EXPECT_EQ (processor->engine.filters[1].toneShelf.c0, shelf.coefficients[0]);
}

TEST (FactoryPrograms, MaySwitchInQuickSuccession)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();

    for (int program : { 1, 2, 3, 4, 5, 0 })
    {
        processor->setCurrentProgram (program);
        EXPECT_EQ (processor->getCurrentProgram(), program);
    }
}

// Every slot a user can set is announced once with the value the processor holds, and nothing else.
void expectEverySlotAnnouncedOnce (NewProjectAudioProcessor& processor, const HostListener& host, const char* when)
{
    std::map<int, float> announced (host.changes.begin(), host.changes.end());
    EXPECT_EQ (announced.size(), host.changes.size()) << when;

    for (int slot = 0; slot < Slot::count; ++slot)
    {
        if (processor.isParameterAutomatable (slot))
        {
            ASSERT_EQ (announced.count (slot), 1u) << when << ", slot " << slot;
            EXPECT_EQ (announced[slot], processor.getParameter (slot)) << when << ", slot " << slot;
        }
        else
        {
            EXPECT_EQ (announced.count (slot), 0u) << when << ", slot " << slot;
        }
    }
}

// A program's values are told at once and again from the message thread, where the framework's
// VST3 layer hands them to the host's own view; a fresh processor tells them with its first block.
TEST (FactoryPrograms, TellTheHostTheNewValues)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->prepareToPlay (48000.0, 64);
    juce::AudioBuffer<float> buffer (2, 64);
    juce::MidiBuffer midi;
    const auto playBlock = [&]
    {
        buffer.clear();
        processor->processBlock (buffer, midi);
    };

    HostListener host;
    processor->addListener (&host);

    playBlock();
    expectEverySlotAnnouncedOnce (*processor, host, "the first block");
    host.changes.clear();
    playBlock();
    EXPECT_TRUE (host.changes.empty()) << "the second block";

    processor->setCurrentProgram (1);
    expectEverySlotAnnouncedOnce (*processor, host, "the program");
    host.changes.clear();
    playBlock();
    EXPECT_TRUE (host.changes.empty()) << "the block after the program";
    ASSERT_TRUE (vimbrel::test::runMessageLoopUntil ([&] { return ! host.changes.empty(); }, 2000));
    expectEverySlotAnnouncedOnce (*processor, host, "the message thread after the program");
    host.changes.clear();
    ASSERT_TRUE (vimbrel::test::letTimersOfPeriodFire (2 * NewProjectAudioProcessor::announcementMilliseconds));
    EXPECT_TRUE (host.changes.empty()) << "the message thread later";

    processor->removeListener (&host);
}

TEST (FactoryPrograms, TakeNewNamesThatFitTheirField)
{
    struct Case
    {
        const char* newName;
        const char* stored;
    };

    const Case cases[] = {
        { "Slapback", "Slapback" },
        { "", "" },
        { "exactly twenty-three ch", "exactly twenty-three ch" },
        { "twenty-four characters!!", "twenty-four characters!" },
        // "é" is two bytes in UTF-8: a cut that would split it leaves it out whole.
        { "twenty-two characters!\xc3\xa9", "twenty-two characters!" },
        { "twenty-one characters\xc3\xa9", "twenty-one characters\xc3\xa9" },
        { "\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac",
          "\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac\xe2\x82\xac" },
    };

    // One instance serves every case: the renamed program gets its factory name back before each.
    auto processor = std::make_unique<NewProjectAudioProcessor>();

    for (const auto& c : cases)
    {
        processor->changeProgramName (4, "Doubling");
        ASSERT_EQ (processor->getProgramName (4), "Doubling") << "before " << c.newName;

        processor->changeProgramName (4, juce::String::fromUTF8 (c.newName));

        EXPECT_EQ (processor->getProgramName (4), juce::String::fromUTF8 (c.stored)) << c.newName;
        EXPECT_LE (std::strlen (processor->programs[4].name), 23u);
        EXPECT_EQ (processor->getProgramName (3), "Stereo Swell");
    }

    processor = std::make_unique<NewProjectAudioProcessor>();
    processor->changeProgramName (-1, "outside");
    processor->changeProgramName (6, "outside");

    for (int i = 0; i < 6; ++i)
        EXPECT_NE (processor->getProgramName (i), "outside");
}

TEST (FactoryPrograms, CopyOnlyTheAppliedValues)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->copyProgram (3, 0);

    const auto& copied = processor->programs[0];
    const auto& source = processor->programs[3];
    EXPECT_EQ (copied.finput, source.finput);
    EXPECT_EQ (copied.fselection, source.fselection);
    EXPECT_EQ (copied.fdelayselection, source.fdelayselection);
    EXPECT_EQ (copied.fbtn1, source.fbtn1);
    EXPECT_EQ (copied.fbtn3, source.fbtn3);
    EXPECT_EQ (copied.spare1, 0.25f);
    EXPECT_EQ (processor->getProgramName (0), "Standard");

    const auto before = processor->programs;
    processor->copyProgram (-1, 2);
    processor->copyProgram (2, 6);
    processor->copyProgram (std::int64_t (1) << 40, 0);

    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ (std::memcmp (&before[i], &processor->programs[i], sizeof (Vimbrel2FilterProgram)), 0) << i;
}
} // namespace
