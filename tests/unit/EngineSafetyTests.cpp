#include "EngineTestProcessor.h"
#include "TestSignals.h"
#include "model/SlotTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

// Counts the allocations made while counting is on; the rest of the program allocates as usual.
namespace
{
std::atomic<bool> countingAllocations { false };
std::atomic<int> allocationsCounted { 0 };

void* allocate (std::size_t size)
{
    if (countingAllocations.load())
        ++allocationsCounted;

    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
// The sized forms are declared by <new> only where sized deallocation is on (not by clang's
// default); they are replaced in every build.
#if ! defined(__cpp_sized_deallocation)
void operator delete (void* p, std::size_t) noexcept;
void operator delete[] (void* p, std::size_t) noexcept;
#endif
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

namespace
{
using namespace vimbrel::test;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

template <typename Sample>
int allocationsWhileProcessing (NewProjectAudioProcessor& processor, juce::AudioBuffer<Sample>& buffer)
{
    juce::MidiBuffer midi;
    allocationsCounted = 0;
    countingAllocations = true;
    processor.processBlock (buffer, midi);
    countingAllocations = false;
    return allocationsCounted.load();
}

TEST (EngineSafety, ProcessingAllocatesNothing)
{
    const struct
    {
        const char* name;
        int channels;
        SlotValues settings;
    } cases[] = {
        { "stereo, swell, 4 stages, host tempo",
          2,
          { { Slot::selection, 0.99f }, { Slot::oversampling, 0.75f }, { Slot::stereoFeedback1, 1.0f } } },
        { "mono bus, repeats", 1, { { Slot::selection, 0.5f }, { Slot::delaySelection, 0.5f } } },
        { "frozen heads", 2, { { Slot::oversampling, 1.0f } } },
    };

    FixedTempoPlayHead playHead;
    playHead.bpm = 97.0;

    for (const auto& c : cases)
    {
        auto processor = preparedProcessor (48000.0, c.channels, c.settings);
        processor->setPlayHead (&playHead);

        // Long enough for several bank retimes inside the counted call.
        auto floats = noiseBurst<float> (c.channels, 8192, 1u);
        auto doubles = noiseBurst<double> (c.channels, 8192, 2u);
        EXPECT_EQ (allocationsWhileProcessing (*processor, floats), 0) << c.name << ", 32-bit";
        EXPECT_EQ (allocationsWhileProcessing (*processor, doubles), 0) << c.name << ", 64-bit";
        EXPECT_EQ (processor->hostBpm, 97.0f);

        processor->setPlayHead (nullptr);
    }

    // The counter itself works.
    countingAllocations = true;
    auto* probe = new int (3);
    countingAllocations = false;
    delete probe;
    EXPECT_EQ (allocationsCounted.load(), 1);
}

void expectEveryReadInsideItsRing (NewProjectAudioProcessor& processor, const std::string& context)
{
    for (const auto& line : processor.engine.headBank.lines)
    {
        ASSERT_GE (line.readPos, 0) << context;
        ASSERT_LT (line.readPos, line.length) << context;
    }
    for (const int writePos : processor.engine.headBank.writePositions)
    {
        ASSERT_GE (writePos, 0) << context;
        ASSERT_LT (writePos, DelayRing::length) << context;
    }
}

TEST (EngineSafety, HostileSlotValuesNeitherCrashNorReadOutsideTheRings)
{
    const float hostile[] = { nan, inf, -inf, 1e30f, -1e30f, -1.0f, 3.0f, 1e-30f };

    for (int slot = 0; slot < NewProjectAudioProcessor::numParameterSlots; ++slot)
    {
        // All four stages and the manual tempo source give the tempo slot its say too.
        auto processor = preparedProcessor (48000.0, 2,
                                            { { Slot::oversampling, 0.75f },
                                              { Slot::selection, 0.99f },
                                              { Slot::manualSource, 1.0f },
                                              { Slot::delaySelection, 0.996f } });
        const float sane = processor->getParameter (slot);

        for (float value : hostile)
        {
            const auto context = "slot " + std::to_string (slot) + " = " + std::to_string (value);
            processor->setParameter (slot, value);

            auto buffer = noiseBurst<float> (2, 2048, 4u);
            processInBlocks (*processor, buffer, 512);
            expectEveryReadInsideItsRing (*processor, context);

            // Slot 9 with 0.25 brings the lines back to life after a hostile stage count.
            processor->setParameter (slot, slot == Slot::oversampling ? 0.25f : sane);
            processInBlocks (*processor, buffer, 512);
            expectEveryReadInsideItsRing (*processor, context + ", then restored");
        }
    }
}

TEST (EngineSafety, HostileTempoAndSpacingKeepReadsInside)
{
    const struct
    {
        const char* name;
        double hostTempo;
        SlotValues settings;
    } cases[] = {
        { "host tempo 1e30, 4 stages", 1e30, { { Slot::oversampling, 0.75f } } },
        { "host tempo 1e-30 (counts as 120)", 1e-30, { { Slot::oversampling, 0.25f } } },
        { "manual tempo of a hundred-thousandth BPM, double time",
          120.0,
          { { Slot::manualSource, 1.0f }, { Slot::manualBpm, 5e-8f }, { Slot::doubleTime, 1.0f } } },
        { "no tempo source, five stages then one",
          120.0,
          { { Slot::hostSource, 0.0f }, { Slot::oversampling, 1.0f } } },
    };

    for (const auto& c : cases)
    {
        auto processor = preparedProcessor (48000.0, 2, c.settings);
        FixedTempoPlayHead playHead;
        playHead.bpm = c.hostTempo;
        processor->setPlayHead (&playHead);

        auto buffer = noiseBurst<float> (2, 4096, 8u);
        processInBlocks (*processor, buffer, 512);
        processor->setParameter (Slot::volume, 1.0f); // the tempo reaches the spacing
        if (processor->foversampling == 1.0f)
            processor->setParameter (Slot::oversampling, 0.0f);
        processInBlocks (*processor, buffer, 512);

        EXPECT_TRUE (std::isfinite (processor->headSpacing) && processor->headSpacing >= 0.0f) << c.name;
        expectEveryReadInsideItsRing (*processor, c.name);
        processor->setPlayHead (nullptr);
    }
}

TEST (EngineSafety, UnplayableRatesLeaveThePreparationAsItWas)
{
    auto processor = preparedProcessor (48000.0, 2);

    for (double rate : { 0.0, -44100.0, (double) nan, (double) inf })
    {
        processor->prepareToPlay (rate, 512);
        EXPECT_EQ (processor->engine.sampleRate, 48000.0) << rate;
    }

    // Low rates put some filters above half the rate; extreme rates still read inside the
    // rings. The echo stays finite.
    for (double rate : { 8000.0, 22050.0, 1.0, 1e9 })
    {
        auto fresh = preparedProcessor (rate, 2, { { Slot::selection, 0.5f } });
        auto buffer = noiseBurst<float> (2, 8192, 6u);
        processInBlocks (*fresh, buffer, 512);
        expectEveryReadInsideItsRing (*fresh, "rate " + std::to_string (rate));

        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                ASSERT_TRUE (std::isfinite (buffer.getSample (c, i))) << "rate " << rate << ", sample " << i;
    }
}
} // namespace
