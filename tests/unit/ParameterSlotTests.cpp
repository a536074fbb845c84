#include "SlotTable.h"
#include "processor/EchoPluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
struct ChangeCounter : juce::ChangeListener
{
    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
    int count = 0;
};

class ParameterSlots : public ::testing::Test
{
protected:
    std::unique_ptr<NewProjectAudioProcessor> processor = std::make_unique<NewProjectAudioProcessor>();
};

TEST_F (ParameterSlots, HaveTheirNames)
{
    for (int slot = 0; slot < 22; ++slot)
        EXPECT_EQ (processor->getParameterName (slot), vimbrel::test::slotNames[slot]) << "slot " << slot;

    for (int outside : { -1, 22, 1000, std::numeric_limits<int>::min() })
        EXPECT_EQ (processor->getParameterName (outside), "No Parameter") << "index " << outside;
}

TEST_F (ParameterSlots, ReportTheirDefaultsNotTheirStartingValues)
{
    for (int slot = 0; slot < 22; ++slot)
        EXPECT_EQ (processor->getParameterDefaultValue (slot), vimbrel::test::slotDefaults[slot]) << "slot " << slot;

    for (int outside : { -1, 22, std::numeric_limits<int>::max() })
        EXPECT_EQ (processor->getParameterDefaultValue (outside), 0.0f) << "index " << outside;

    EXPECT_EQ (processor->getParameter (14), 0.0025f);
    EXPECT_EQ (processor->getParameter (10), 0.0f);
}

TEST_F (ParameterSlots, DescribeTheirCurrentValue)
{
    struct Case
    {
        int slot;
        float value;
        const char* text;
    };

    const Case cases[] = {
        { 0, 0.5f, "50 %" },    { 0, 1.0f, "100 %" },    { 1, 0.17f, "17 %" },
        { 1, 0.0f, "0 %" },     { 3, 0.8f, "80 %" },     { 3, 0.123456f, "12.3456 %" },
        { 2, 0.5f, "0.00 dB" }, { 2, 0.0f, "-6.00 dB" }, { 2, 1.0f, "6.00 dB" },
        { 2, 0.8f, "3.60 dB" }, { 4, 0.33f, "0.330 " },  { 4, 0.99f, "0.990 " },
        { 5, 0.9f, "Mode: " },  { 5, 0.0f, "Mode: " },   { 9, 0.5f, "" },
        { 10, 0.6f, "" },       { 15, 1.0f, "" },        { 21, 1.0f, "" },
    };

    for (const auto& c : cases)
    {
        processor->setParameter (c.slot, c.value);
        EXPECT_EQ (processor->getParameterText (c.slot), c.text) << "slot " << c.slot << " at " << c.value;
    }

    EXPECT_EQ (processor->getParameterText (-1), "");
    EXPECT_EQ (processor->getParameterText (22), "");
}

TEST_F (ParameterSlots, StoreWhatIsWrittenAndReadItBack)
{
    for (int slot : { 0, 1, 2, 3, 4, 5, 6, 9, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21 })
    {
        processor->setParameter (slot, 0.625f);
        EXPECT_EQ (processor->getParameter (slot), 0.625f) << "slot " << slot;
    }

    // The manual tempo and slot 14 are kept as BPM, 200 times the slot value.
    processor->setParameter (10, 0.6f);
    EXPECT_EQ (processor->fbpm, (float) (0.6f * 200.0));
    EXPECT_NEAR (processor->fbpm, 120.0f, 1.0e-5f);
    EXPECT_EQ (processor->getParameter (10), 0.6f);

    processor->setParameter (14, 0.3f);
    EXPECT_EQ (processor->spareTempo, (float) (0.3f * 200.0));
    EXPECT_EQ (processor->getParameter (14), 0.3f);

    // Slots 7 and 8 keep nothing.
    processor->setParameter (7, 0.9f);
    processor->setParameter (8, 0.9f);
    EXPECT_EQ (processor->getParameter (7), 0.0f);
    EXPECT_EQ (processor->getParameter (8), 0.0f);
    EXPECT_EQ (processor->getParameter (-1), 0.0f);
    EXPECT_EQ (processor->getParameter (22), 0.0f);
}

TEST_F (ParameterSlots, StoreHostValuesUnclamped)
{
    const float values[] = { -3.0f, 7.5f, 1.0e30f, -std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::infinity() };

    for (float value : values)
        for (int slot : { 0, 1, 3, 4, 5, 9, 16 })
        {
            processor->setParameter (slot, value);
            EXPECT_EQ (processor->getParameter (slot), value) << "slot " << slot;
        }

    processor->setParameter (1, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE (std::isnan (processor->flenght.load()));
}

TEST_F (ParameterSlots, EveryWriteRecomputesTheSpacingAndSendsAChangeMessage)
{
    ChangeCounter counter;
    processor->addChangeListener (&counter);

    // The host tempo reaches the spacing only through a write, whatever slot it goes to.
    processor->hostBpm = 100.0f;
    EXPECT_EQ (processor->headSpacing, 0.5f);

    for (int index : { 7, 8, 22, -5 })
    {
        processor->headSpacing = 0.0f;
        processor->setParameter (index, 0.9f);
        EXPECT_FLOAT_EQ (processor->headSpacing, 0.6f) << "index " << index;
        processor->dispatchPendingMessages();
    }

    EXPECT_EQ (counter.count, 4);
    processor->removeChangeListener (&counter);
}

TEST_F (ParameterSlots, ToneWritesRedesignBothShelvesAtTheCurrentRate)
{
    auto expectShelves = [this] (double rate, float tone)
    {
        const auto expected = makeToneShelf (rate, tone);

        for (auto& channel : processor->engine.filters)
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ (channel.toneShelf.getCoefficients().coefficients[i], expected.coefficients[i])
                    << "rate " << rate << ", tone " << tone << ", coefficient " << i;
    };

    // Before the first preparation the shelves are designed at the placeholder rate.
    processor->setParameter (2, 0.25f);
    expectShelves (444100.0, 0.25f);

    processor->prepareToPlay (48000.0, 256);
    processor->setParameter (2, 1.0f);
    expectShelves (48000.0, 1.0f);

    // Gain factor 1.6 at 1200 Hz: the same design as a direct high shelf.
    const auto direct = juce::IIRCoefficients::makeHighShelf (48000.0, 1200.0, 1.0, 1.6f);
    EXPECT_EQ (processor->engine.filters[1].toneShelf.getCoefficients().coefficients[0], direct.coefficients[0]);
}

TEST_F (ParameterSlots, OnlyUserSettingsAreAutomatable)
{
    for (int slot = 0; slot < 22; ++slot)
    {
        const bool carriesNothingAUserSets = slot == 6 || slot == 7 || slot == 8 || slot == 14;
        EXPECT_EQ (processor->isParameterAutomatable (slot), ! carriesNothingAUserSets) << "slot " << slot;
    }
}
} // namespace
