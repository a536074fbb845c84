#include "FixedTempoPlayHead.h"
#include "HostedPlugin.h"

#include <limits>

namespace
{
using vimbrel::test::loadBuiltPlugin;

constexpr double rate = 48000.0;
constexpr int blockSize = 480;

// Plays blocks through the hosted plug-in: silence, or a click at the start of the first block
// on the chosen channels; gives what comes out, channel by channel.
juce::AudioBuffer<float> play (juce::AudioPluginInstance& plugin, int numBlocks, bool clickLeft = false,
                               bool clickRight = false)
{
    const int channels = plugin.getTotalNumOutputChannels();
    juce::AudioBuffer<float> out (channels, numBlocks * blockSize), block (channels, blockSize);
    juce::MidiBuffer midi;

    for (int b = 0; b < numBlocks; ++b)
    {
        block.clear();
        if (b == 0 && clickLeft)
            block.setSample (0, 0, 1.0f);
        if (b == 0 && clickRight && channels > 1)
            block.setSample (1, 0, 1.0f);
        plugin.processBlock (block, midi);
        for (int c = 0; c < channels; ++c)
            out.copyFrom (c, b * blockSize, block, c, 0, blockSize);
    }
    return out;
}

// A second of silence: both banks of the drum take the current spacing.
void settle (juce::AudioPluginInstance& plugin) { play (plugin, (int) rate / blockSize); }

int firstEcho (const juce::AudioBuffer<float>& out, int channel, int skip = 400, float level = 0.02f)
{
    for (int i = skip; i < out.getNumSamples(); ++i)
        if (std::abs (out.getSample (channel, i)) > level)
            return i;
    return -1;
}

TEST (HostedEcho, AClickComesBackWhereHeadOneSits)
{
    auto plugin = loadBuiltPlugin (rate, blockSize);
    ASSERT_NE (plugin, nullptr);
    vimbrel::hostsim::FixedTempoPlayHead transport;
    plugin->setPlayHead (&transport);

    // 120 BPM, 8/8: a spacing of 0.5 s, head 1 at a tenth of it, give or take the drift.
    settle (*plugin);
    const auto out = play (*plugin, 20, true, true);
    EXPECT_NEAR (firstEcho (out, 0), 2400, 5);
    EXPECT_NEAR (firstEcho (out, 1), 2400, 5);

    plugin->setPlayHead (nullptr);
}

TEST (HostedEcho, ANewHostTempoReachesTheHeadsAtTheNextParameterWrite)
{
    auto plugin = loadBuiltPlugin (rate, blockSize);
    ASSERT_NE (plugin, nullptr);
    vimbrel::hostsim::FixedTempoPlayHead transport;
    plugin->setPlayHead (&transport);
    settle (*plugin);

    // The tempo alone leaves the spacing as it was...
    transport.bpm = 60.0;
    settle (*plugin);
    EXPECT_NEAR (firstEcho (play (*plugin, 20, true, true), 0), 2400, 5);

    // ...the next parameter write rebuilds it from the host's tempo: head 1 at 0.1 s.
    plugin->getParameters()[Slot::volume]->setValueNotifyingHost (0.9f);
    settle (*plugin);
    EXPECT_NEAR (firstEcho (play (*plugin, 20, true, true), 0), 4800, 8);

    plugin->setPlayHead (nullptr);
}

TEST (HostedEcho, StereoDelayCrossesTheRepeatsBetweenTheChannels)
{
    auto plugin = loadBuiltPlugin (rate, blockSize);
    ASSERT_NE (plugin, nullptr);
    plugin->setCurrentProgram (1); // "Stereo delay": repeats crossed on all heads, head 4
    settle (*plugin);

    // A click on the left only: head 4 (0.2 s) brings it back on the left, its repeat crosses
    // to the right another 0.2 s later, and back to the left after that.
    const auto out = play (*plugin, 70, true, false);
    const int head4 = 4 * 2400;
    auto peak = [&] (int channel, int from, int to) { return out.getMagnitude (channel, from, to - from); };

    EXPECT_NEAR (firstEcho (out, 0), head4, 20);
    EXPECT_LT (peak (1, 0, 2 * head4 - 100), 1e-6f) << "nothing on the right before the first repeat";
    EXPECT_NEAR (firstEcho (out, 1, 400, 0.002f), 2 * head4, 40);
    EXPECT_GT (peak (0, 3 * head4 - 50, 3 * head4 + 1500), 0.002f) << "the second repeat is back on the left";
}

TEST (HostedEcho, AMonoBusEchoesToo)
{
    auto plugin = loadBuiltPlugin (rate, blockSize);
    ASSERT_NE (plugin, nullptr);

    plugin->releaseResources();
    juce::AudioProcessor::BusesLayout mono;
    mono.inputBuses.add (juce::AudioChannelSet::mono());
    mono.outputBuses.add (juce::AudioChannelSet::mono());
    ASSERT_TRUE (plugin->setBusesLayout (mono));
    plugin->prepareToPlay (rate, blockSize);
    ASSERT_EQ (plugin->getTotalNumOutputChannels(), 1);

    settle (*plugin);
    const auto out = play (*plugin, 20, true);
    EXPECT_NEAR (firstEcho (out, 0), 2400, 5);
}

// Whatever a host writes, every block comes back; once the host writes sane values again and
// resets, a click echoes where it echoes in a fresh instance.
TEST (HostedEcho, HostileSlotValuesNeitherCrashNorStopTheAudio)
{
    auto plugin = loadBuiltPlugin (rate, blockSize);
    ASSERT_NE (plugin, nullptr);
    vimbrel::hostsim::FixedTempoPlayHead transport;
    plugin->setPlayHead (&transport);
    const auto& parameters = plugin->getParameters();

    const float hostile[] = { std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              1e30f,
                              -1e30f,
                              -1.0f };
    const double tempos[] = { std::numeric_limits<double>::quiet_NaN(), 1e300, 0.0, -5.0, 1e-30, 120.0 };

    for (size_t v = 0; v < std::size (hostile); ++v)
    {
        transport.bpm = tempos[v];
        for (int slot = 0; slot < Slot::count; ++slot)
            parameters[slot]->setValue (hostile[v]);

        play (*plugin, 4, true, true);
    }

    // Every slot back at the value the host shows as its default, the first program, a reset,
    // and the drum turned long enough to overwrite everything the hostile values left on it.
    for (int slot = 0; slot < Slot::count; ++slot)
        parameters[slot]->setValue (parameters[slot]->getDefaultValue());
    plugin->setCurrentProgram (0);
    plugin->reset();
    play (*plugin, 4 * (int) rate / blockSize);
    const auto out = play (*plugin, 20, true, true);

    auto fresh = loadBuiltPlugin (rate, blockSize);
    ASSERT_NE (fresh, nullptr);
    fresh->setPlayHead (&transport);
    for (int slot = 0; slot < Slot::count; ++slot)
        fresh->getParameters()[slot]->setValue (fresh->getParameters()[slot]->getDefaultValue());
    fresh->setCurrentProgram (0);
    settle (*fresh);
    const auto expected = play (*fresh, 20, true, true);

    for (int channel = 0; channel < 2; ++channel)
    {
        ASSERT_GT (firstEcho (expected, channel), 0) << "channel " << channel;
        EXPECT_NEAR (firstEcho (out, channel), firstEcho (expected, channel), 5) << "channel " << channel;
        EXPECT_NEAR (out.getMagnitude (channel, 0, out.getNumSamples()),
                     expected.getMagnitude (channel, 0, expected.getNumSamples()), 0.05f)
            << "channel " << channel;
    }

    plugin->setPlayHead (nullptr);
    fresh->setPlayHead (nullptr);
}
} // namespace
