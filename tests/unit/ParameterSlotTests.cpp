#include "SlotContract.h"
#include "processor/EchoPluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
static_assert (std::size (vimbrel::test::slotNames) == Slot::count);
static_assert (std::size (vimbrel::test::slotDefaults) == Slot::count);

class ParameterSlots : public ::testing::Test
{
protected:
    std::unique_ptr<NewProjectAudioProcessor> processor = std::make_unique<NewProjectAudioProcessor>();
};

TEST_F (ParameterSlots, HaveTheirNames)
{
    for (int slot = 0; slot < Slot::count; ++slot)
        EXPECT_EQ (processor->getParameterName (slot), vimbrel::test::slotNames[slot]) << "slot " << slot;

    for (int outside : { -1, int (Slot::count), 1000, std::numeric_limits<int>::min() })
        EXPECT_EQ (processor->getParameterName (outside), "No Parameter") << "index " << outside;
}

TEST_F (ParameterSlots, ReportTheirDefaultsNotTheirStartingValues)
{
    for (int slot = 0; slot < Slot::count; ++slot)
        EXPECT_EQ (processor->getParameterDefaultValue (slot), vimbrel::test::slotDefaults[slot]) << "slot " << slot;

    for (int outside : { -1, int (Slot::count), std::numeric_limits<int>::max() })
        EXPECT_EQ (processor->getParameterDefaultValue (outside), 0.0f) << "index " << outside;

    EXPECT_EQ (processor->getParameter (Slot::spareTempo), 0.0025f);
    EXPECT_EQ (processor->getParameter (Slot::manualBpm), 0.0f);
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
        { Slot::input, 0.5f, "50 %" },
        { Slot::input, 1.0f, "100 %" },
        { Slot::length, 0.17f, "17 %" },
        { Slot::length, 0.0f, "0 %" },
        { Slot::volume, 0.8f, "80 %" },
        { Slot::volume, 0.123456f, "12.3456 %" },
        { Slot::tone, 0.5f, "0.00 dB" },
        { Slot::tone, 0.0f, "-6.00 dB" },
        { Slot::tone, 1.0f, "6.00 dB" },
        { Slot::tone, 0.8f, "3.60 dB" },
        { Slot::selection, 0.33f, "0.330 " },
        { Slot::selection, 0.99f, "0.990 " },
        // The head selector's position as the knob shows it, one twelfth of the travel each.
        { Slot::delaySelection, 0.0f, "Mode: 1" },
        { Slot::delaySelection, 1.0f / 12.0f, "Mode: 1" },
        { Slot::delaySelection, 0.083f * 2.0f, "Mode: 2" },
        { Slot::delaySelection, 0.25f, "Mode: 3" },
        { Slot::delaySelection, 0.332f, "Mode: 4" },
        { Slot::delaySelection, 0.34f, "Mode: 4" },
        { Slot::delaySelection, 7.0f / 12.0f, "Mode: 7" },
        { Slot::delaySelection, 0.9f, "Mode: 11" },
        { Slot::delaySelection, 0.996f, "Mode: 12" },
        { Slot::delaySelection, 1.5f, "Mode: 12" },
        // Stages, one more for each quarter.
        { Slot::oversampling, 0.0f, "1 stage" },
        { Slot::oversampling, 0.25f, "2 stages" },
        { Slot::oversampling, 0.5f, "3 stages" },
        { Slot::oversampling, 0.75f, "4 stages" },
        { Slot::manualBpm, 0.6f, "120 BPM" },
        { Slot::manualBpm, 0.2f, "40 BPM" },
        { Slot::manualBpm, 0.537f, "107.4 BPM" },
        // A tempo source or beat key is on only at exactly 1, a character key at anything but 0.
        { Slot::manualSource, 0.5f, "Off" },
        { Slot::manualSource, 1.0f, "On" },
        { Slot::hostSource, 0.999f, "Off" },
        { Slot::classicSource, 1.0f, "On" },
        { Slot::beat58, 1.0f, "On" },
        { Slot::beat68, 0.0f, "Off" },
        { Slot::beat78, 0.5f, "Off" },
        { Slot::beat88, 1.0f, "On" },
        { Slot::stereoFeedback1, 1.0f, "On" },
        { Slot::stereoFeedback1, 0.0f, "Off" },
        { Slot::doubleTime, 0.5f, "On" },
        { Slot::stereoFeedback2, -0.25f, "On" },
    };

    for (const auto& c : cases)
    {
        processor->setParameter (c.slot, c.value);
        EXPECT_EQ (processor->getParameterText (c.slot), c.text) << "slot " << c.slot << " at " << c.value;
    }

    for (int slot : { -1, int (Slot::levelStep), int (Slot::unused7), int (Slot::unused8), int (Slot::spareTempo),
                      int (Slot::count) })
        EXPECT_EQ (processor->getParameterText (slot), "") << "slot " << slot;
}

TEST_F (ParameterSlots, StoreWhatIsWrittenAndReadItBack)
{
    for (Slot::Index slot :
         { Slot::input, Slot::length, Slot::tone, Slot::volume, Slot::selection, Slot::delaySelection, Slot::levelStep,
           Slot::oversampling, Slot::manualSource, Slot::hostSource, Slot::classicSource, Slot::stereoFeedback1,
           Slot::doubleTime, Slot::stereoFeedback2, Slot::beat58, Slot::beat68, Slot::beat78, Slot::beat88 })
    {
        processor->setParameter (slot, 0.625f);
        EXPECT_EQ (processor->getParameter (slot), 0.625f) << "slot " << slot;
    }

    // The manual tempo and the spare tempo are kept as BPM, 200 times the slot value.
    processor->setParameter (Slot::manualBpm, 0.6f);
    EXPECT_EQ (processor->fbpm, (float) (0.6f * 200.0));
    EXPECT_NEAR (processor->fbpm, 120.0f, 1.0e-5f);
    EXPECT_EQ (processor->getParameter (Slot::manualBpm), 0.6f);

    processor->setParameter (Slot::spareTempo, 0.3f);
    EXPECT_EQ (processor->spareTempo, (float) (0.3f * 200.0));
    EXPECT_EQ (processor->getParameter (Slot::spareTempo), 0.3f);

    // The two unused slots keep nothing.
    processor->setParameter (Slot::unused7, 0.9f);
    processor->setParameter (Slot::unused8, 0.9f);
    EXPECT_EQ (processor->getParameter (Slot::unused7), 0.0f);
    EXPECT_EQ (processor->getParameter (Slot::unused8), 0.0f);
    EXPECT_EQ (processor->getParameter (-1), 0.0f);
    EXPECT_EQ (processor->getParameter (Slot::count), 0.0f);
}

TEST_F (ParameterSlots, StoreHostValuesUnclamped)
{
    const float values[] = { -3.0f, 7.5f, 1.0e30f, -std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::infinity() };

    for (float value : values)
        for (Slot::Index slot : { Slot::input, Slot::length, Slot::volume, Slot::selection, Slot::delaySelection,
                                  Slot::oversampling, Slot::doubleTime })
        {
            processor->setParameter (slot, value);
            EXPECT_EQ (processor->getParameter (slot), value) << "slot " << slot;
        }

    processor->setParameter (Slot::length, std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE (std::isnan (processor->flenght.load()));
}

TEST_F (ParameterSlots, EveryWriteRecomputesTheSpacingAndMarksTheSlotsChanged)
{
    // The host tempo reaches the spacing only through a write, whatever slot it goes to.
    processor->hostBpm = 100.0f;
    EXPECT_EQ (processor->headSpacing, 0.5f);

    for (int index : { int (Slot::unused7), int (Slot::unused8), int (Slot::count), -5 })
    {
        processor->headSpacing = 0.0f;
        processor->slotsChanged = false;
        processor->setParameter (index, 0.9f);
        EXPECT_FLOAT_EQ (processor->headSpacing, 0.6f) << "index " << index;
        EXPECT_TRUE (processor->slotsChanged) << "index " << index;
    }
}

TEST_F (ParameterSlots, ToneWritesRedesignBothShelvesAtTheCurrentRate)
{
    auto expectShelves = [this] (double rate, float tone)
    {
        const auto expected = makeToneShelf (rate, tone);

        // The audio thread's next sample takes up the design.
        processor->engine.followToneControl();
        for (auto& channel : processor->engine.filters)
        {
            const auto& shelf = channel.toneShelf;
            const std::array<float, 5> running { shelf.c0, shelf.c1, shelf.c2, shelf.c3, shelf.c4 };
            for (size_t i = 0; i < 5; ++i)
                EXPECT_EQ (running[i], expected.coefficients[i])
                    << "rate " << rate << ", tone " << tone << ", coefficient " << i;
        }
    };

    // Before the first preparation the shelves are designed at the placeholder rate.
    processor->setParameter (Slot::tone, 0.25f);
    expectShelves (444100.0, 0.25f);

    processor->prepareToPlay (48000.0, 256);
    processor->setParameter (Slot::tone, 1.0f);
    expectShelves (48000.0, 1.0f);

    // Gain factor 1.6 at 1200 Hz: the same design as a direct high shelf.
    const auto direct = juce::IIRCoefficients::makeHighShelf (48000.0, 1200.0, 1.0, 1.6f);
    EXPECT_EQ (processor->engine.filters[1].toneShelf.c0, direct.coefficients[0]);
}

TEST_F (ParameterSlots, OnlyUserSettingsAreAutomatable)
{
    for (int slot = 0; slot < Slot::count; ++slot)
    {
        const bool carriesNothingAUserSets =
            slot == Slot::levelStep || slot == Slot::unused7 || slot == Slot::unused8 || slot == Slot::spareTempo;
        EXPECT_EQ (processor->isParameterAutomatable (slot), ! carriesNothingAUserSets) << "slot " << slot;
    }
}
} // namespace
