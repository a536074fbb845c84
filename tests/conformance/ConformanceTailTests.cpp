#include "ConformanceHost.h"

#include <limits>

namespace
{
using namespace vimbrel::conformance;

struct Case
{
    const char* name;
    int program;
    std::vector<std::pair<int, float>> slots; // written after the program
    double rate;
    double shortest, longest; // the tail in seconds; both infinite when the echo keeps going
};

constexpr double infinite = std::numeric_limits<double>::infinity();

// Every factory program plays at 120 BPM, 8/8: head 4 sounds 0.2 s after the input, and the
// filters' ringing counts half a second more.
const Case cases[] = {
    { "Standard", 0, {}, 48000.0, 0.7, 0.703 },
    { "Doubling", 4, {}, 48000.0, 0.7, 0.703 },
    { "Standard at 22.05 kHz", 0, {}, 22050.0, 0.7, 0.705 },
    { "Standard at 384 kHz", 0, {}, 384000.0, 0.7, 0.703 },
    { "Standard with four stages", 0, { { Slot::oversampling, 0.75f } }, 48000.0, 0.7, 0.703 },
    { "Standard, classic tempo, double time: a beat of 1.38 s",
      0,
      { { Slot::hostSource, 0.0f }, { Slot::classicSource, 1.0f }, { Slot::doubleTime, 1.0f } },
      44100.0,
      1.052,
      1.056 },
    { "Standard, manual tempo of 60 BPM",
      0,
      { { Slot::hostSource, 0.0f }, { Slot::manualSource, 1.0f }, { Slot::manualBpm, 0.3f } },
      48000.0,
      0.9,
      0.903 },
    { "Standard, repeats without length",
      0,
      { { Slot::selection, 0.5f }, { Slot::length, 0.0f } },
      48000.0,
      0.7,
      0.703 },
    { "Stereo delay", 1, {}, 48000.0, infinite, infinite },
    { "Mono Swell", 2, {}, 48000.0, infinite, infinite },
    { "Stereo Swell", 3, {}, 48000.0, infinite, infinite },
    { "Guitar", 5, {}, 48000.0, infinite, infinite },
    { "Standard with repeats", 0, { { Slot::selection, 0.5f } }, 48000.0, infinite, infinite },
    { "Doubling with swell", 4, { { Slot::selection, 0.99f } }, 48000.0, infinite, infinite },
    { "Oversampling at 1: a stage count the drum does not have",
      0,
      { { Slot::oversampling, 1.0f } },
      48000.0,
      infinite,
      infinite },
};

// The program, then the slot writes: each reaches the plug-in with the block after it, as a
// host's would.
void applySettings (juce::AudioPluginInstance& plugin, const Case& c)
{
    plugin.setCurrentProgram (c.program);
    vimbrel::test::processOneBlock (plugin);
    EXPECT_TRUE (vimbrel::test::deliverPostedMessages());

    for (const auto& [slot, value] : c.slots)
        plugin.getParameters()[slot]->setValue (value);
    vimbrel::test::processOneBlock (plugin);
}

// The host learns the tail through VST3 (the framework's host turns the plug-in's tail in
// samples into seconds), for the settings the plug-in has at the time it asks.
TEST (ConformanceTail, TheHostSeesTheTailOfTheCurrentSettings)
{
    for (const auto& c : cases)
    {
        auto plugin = loadBuiltPlugin (c.rate, 512);
        ASSERT_NE (plugin, nullptr);
        applySettings (*plugin, c);
        const double tail = plugin->getTailLengthSeconds();
        EXPECT_GE (tail, c.shortest) << c.name;
        EXPECT_LE (tail, c.longest) << c.name;
    }
}

// VST3 has no notice of a changed tail: a host asks again when it needs the tail (on activation,
// before an offline render), and gets the current settings' answer without reactivating.
TEST (ConformanceTail, FollowsTheSettingsBetweenTwoQuestions)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    auto* selection = plugin->getParameters()[Slot::selection];

    for (float value : { 0.33f, 0.66f, 0.0f, 0.99f, 0.34f })
    {
        selection->setValue (value);
        vimbrel::test::processOneBlock (*plugin);
        EXPECT_EQ (std::isinf (plugin->getTailLengthSeconds()), value > 0.34f) << "Selection " << value;
    }
}

// A host that honours a finite tail plays that long after the input ends and then stops: by then
// the echo has died away (below -120 dB), so nothing audible is cut.
TEST (ConformanceTail, AHostThatStopsAfterTheTailCutsNothingAudible)
{
    std::mt19937 random (7);
    juce::MidiBuffer midi;

    for (const auto& c : cases)
    {
        if (c.shortest == infinite)
            continue;

        auto plugin = loadBuiltPlugin (c.rate, 512);
        ASSERT_NE (plugin, nullptr);
        applySettings (*plugin, c);
        // Head 4 is heard, and at full level, so that the echo lasts as long as it can.
        plugin->getParameters()[Slot::delaySelection]->setValue (0.332f);
        plugin->getParameters()[Slot::volume]->setValue (1.0f);
        vimbrel::test::processOneBlock (*plugin);

        // A tenth of a second of noise, then as long as the host plays on, and half a second more.
        const int inputSamples = (int) (0.1 * c.rate);
        const int tailSamples = (int) std::ceil (plugin->getTailLengthSeconds() * c.rate);
        juce::AudioBuffer<float> out (2, inputSamples + tailSamples + (int) (0.5 * c.rate));
        out.clear();
        juce::AudioBuffer<float> input (out.getArrayOfWritePointers(), 2, inputSamples);
        fill (input, Signal::noise, random, 0);

        for (int start = 0; start < out.getNumSamples(); start += 512)
        {
            juce::AudioBuffer<float> block (out.getArrayOfWritePointers(), 2, start,
                                            std::min (512, out.getNumSamples() - start));
            plugin->processBlock (block, midi);
        }

        const int cutAt = inputSamples + tailSamples;
        const int headFour = inputSamples + (int) ((c.shortest - 0.5) * c.rate);
        EXPECT_GT (out.getMagnitude (headFour - (int) (0.1 * c.rate), (int) (0.1 * c.rate)), 0.01f)
            << c.name << ": head 4's echo";
        EXPECT_LT (out.getMagnitude (cutAt, out.getNumSamples() - cutAt), 1e-6f) << c.name << ": after the tail";
    }
}
} // namespace
