#include "HostedPlugin.h"
#include "RawComponentState.h"

#include "MessageLoop.h"

#include <chrono>

namespace
{
using vimbrel::host::componentStateOf;
using vimbrel::host::restoreComponentState;
using vimbrel::test::loadBuiltPlugin;
using vimbrel::test::slotValues;

constexpr std::string_view marker = "JUCEPrivateData";

// A saved state with settings far from the defaults, as a host keeps it in a project.
juce::MemoryBlock savedState()
{
    auto plugin = loadBuiltPlugin();
    const std::pair<Slot::Index, float> settings[] = {
        { Slot::input, 0.2f },      { Slot::length, 0.9f },          { Slot::volume, 0.3f },
        { Slot::selection, 0.66f }, { Slot::stereoFeedback1, 1.0f },
    };
    for (const auto& [slot, value] : settings)
        plugin->getParameters()[slot]->setValueNotifyingHost (value);
    vimbrel::test::processOneBlock (*plugin);
    EXPECT_TRUE (vimbrel::test::deliverPostedMessages());
    return componentStateOf (*plugin);
}

// The framework's trailer: its private section, the section's 64-bit length, the marker.
size_t lengthFieldOffset (const juce::MemoryBlock& state)
{
    return state.getSize() - marker.size() - sizeof (std::uint64_t);
}

juce::MemoryBlock withPrivateLength (juce::MemoryBlock state, std::uint64_t length)
{
    state.copyFrom (&length, (int) lengthFieldOffset (state), sizeof (length));
    return state;
}

std::uint64_t privateLength (const juce::MemoryBlock& state)
{
    std::uint64_t length = 0;
    state.copyTo (&length, (int) lengthFieldOffset (state), sizeof (length));
    return length;
}

juce::MemoryBlock withByte (juce::MemoryBlock state, size_t index, std::uint8_t value)
{
    state[index] = (char) value;
    return state;
}

juce::MemoryBlock randomBytes (size_t size, juce::int64 seed)
{
    juce::Random random (seed);
    juce::MemoryBlock block (size);
    for (size_t i = 0; i < size; ++i)
        block[i] = (char) random.nextInt (256);
    return block;
}

// Restores the block into the plug-in and tells how long that took.
double restoreTimed (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& block)
{
    const auto start = std::chrono::steady_clock::now();
    restoreComponentState (plugin, block);
    return std::chrono::duration<double> (std::chrono::steady_clock::now() - start).count();
}

// A saved state's settings as readable text, for failure messages.
juce::String settingsText (const juce::MemoryBlock& state)
{
    return state.getSize() > 8 ? juce::String::fromUTF8 ((const char*) state.getData() + 8, (int) state.getSize() - 8)
                               : juce::String();
}

struct DamagedState
{
    const char* name;
    juce::MemoryBlock block;
};

// Each block goes to an instance at its defaults, as a reopened project's would be: the
// instance must come back at once and keep the settings it had. One instance takes every
// block, brought back to its defaults before each.
void expectIgnoredByInstancesAtTheirDefaults (const std::vector<DamagedState>& cases)
{
    auto plugin = loadBuiltPlugin();
    ASSERT_NE (plugin, nullptr);
    const auto defaults = componentStateOf (*plugin);

    for (const auto& c : cases)
    {
        restoreComponentState (*plugin, defaults);
        ASSERT_TRUE (componentStateOf (*plugin) == defaults) << "before " << c.name;

        EXPECT_LT (restoreTimed (*plugin, c.block), 2.0) << c.name;
        const auto after = componentStateOf (*plugin);
        EXPECT_TRUE (after == defaults) << c.name << ": " << settingsText (after);
    }
}

TEST (HostedDamagedState, AGoodStateStillComesBackByteForByte)
{
    const auto good = savedState();
    ASSERT_GT (good.getSize(), marker.size() + 16);
    ASSERT_EQ (std::string_view ((const char*) good.getData() + good.getSize() - marker.size(), marker.size()), marker);

    auto plugin = loadBuiltPlugin();
    restoreComponentState (*plugin, good);
    EXPECT_EQ (componentStateOf (*plugin), good);
    EXPECT_FLOAT_EQ (plugin->getParameters()[Slot::length]->getValue(), 0.9f);
}

TEST (HostedDamagedStateTimed, ADamagedTrailerIsIgnoredWhole)
{
    const auto good = savedState();
    const auto privateSize = privateLength (good);
    const auto privateStart = lengthFieldOffset (good) - privateSize;
    ASSERT_GT (privateSize, 0u);

    expectIgnoredByInstancesAtTheirDefaults ({
        { "private length 0x7fffffff", withPrivateLength (good, 0x7fffffff) },
        { "private length 2^64 - 1", withPrivateLength (good, ~std::uint64_t (0)) },
        { "private length one past the block", withPrivateLength (good, good.getSize() - marker.size() - 8 + 1) },
        { "private length leaving no room for its separator", withPrivateLength (good, lengthFieldOffset (good)) },
        { "private length one byte short", withPrivateLength (good, privateSize - 1) },
        { "private length one byte long", withPrivateLength (good, privateSize + 1) },
        // Its property count read as a four-byte number: billions of properties to parse.
        { "private property count widened", withByte (good, privateStart + marker.size() + 1, 4) },
        { "private child count widened", withByte (good, lengthFieldOffset (good) - 1, 4) },
        { "private tag flipped", withByte (good, privateStart, 'X') },
        { "bypass value flipped", withByte (good, lengthFieldOffset (good) - 2, 0x7f) },
        { "only a trailer", juce::MemoryBlock (good.begin() + privateStart - 8, good.getSize() - privateStart + 8) },
    });
}

TEST (HostedDamagedStateTimed, GarbageAndEmptyBlocksChangeNothing)
{
    const auto good = savedState();

    juce::MemoryBlock xmlLengthTooShort (good);
    const std::uint32_t shortLength = 20;
    xmlLengthTooShort.copyFrom (&shortLength, 4, sizeof (shortLength));

    expectIgnoredByInstancesAtTheirDefaults ({
        { "empty", {} },
        { "64 KiB of garbage", randomBytes (65536, 1) },
        { "64 KiB of garbage ending in the marker",
          []
          {
              auto block = randomBytes (65536, 2);
              block.copyFrom (marker.data(), (int) (block.getSize() - marker.size()), marker.size());
              return block;
          }() },
        { "only the marker", juce::MemoryBlock (marker.data(), marker.size()) },
        { "cut inside the settings", juce::MemoryBlock (good.getData(), good.getSize() / 3) },
        { "settings length cut short", xmlLengthTooShort },
    });
}

TEST (HostedDamagedStateTimed, EveryCutAndEveryFlippedTrailerByteIsSurvived)
{
    const auto good = savedState();

    auto plugin = loadBuiltPlugin();
    const auto defaultState = componentStateOf (*plugin);
    const auto defaults = slotValues (*plugin);
    restoreComponentState (*plugin, good);
    const auto saved = slotValues (*plugin);
    ASSERT_NE (saved, defaults);

    // One instance takes every damaged block in turn, starting each time from its defaults.
    // Afterwards it holds its defaults, or the settings the block still validly carries
    // (a cut behind the settings leaves them readable); never anything else.
    auto restoreDamaged = [&] (const juce::MemoryBlock& block, const juce::String& what)
    {
        restoreComponentState (*plugin, defaultState);
        const auto seconds = restoreTimed (*plugin, block);
        const auto after = slotValues (*plugin);

        EXPECT_LT (seconds, 2.0) << what;
        EXPECT_TRUE (after == defaults || after == saved) << what;
        return after == saved;
    };

    for (size_t length = 0; length < good.getSize(); ++length)
        restoreDamaged (juce::MemoryBlock (good.getData(), length), "cut to " + juce::String (length) + " bytes");

    // Inside the trailer (private section, its length, the marker) a flipped byte damages it
    // and the whole state is ignored, unless the flip happens to turn the saved bypass flag
    // into its other valid value.
    const auto trailerStart = lengthFieldOffset (good) - privateLength (good);
    auto* bypass = vimbrel::test::parameterNamed (*plugin, "Bypass");
    ASSERT_NE (bypass, nullptr);

    for (size_t index = trailerStart; index < good.getSize(); ++index)
        for (const int mask : { 0x01, 0x80, 0xff })
        {
            const auto block = withByte (good, index, (std::uint8_t) (good[index] ^ mask));
            const juce::String what = "byte " + juce::String (index) + " flipped with " + juce::String (mask);
            const auto applied = restoreDamaged (block, what);

            // A flipped marker hides the trailer: the block then reads as a state without one,
            // whose settings are intact.
            const bool inMarker = index >= good.getSize() - marker.size();

            if (! inMarker)
            {
                EXPECT_TRUE (! applied || bypass->getValue() == 1.0f) << what;
            }
        }

    // Random damage anywhere, with a fixed seed: survived, and the plug-in still saves.
    juce::Random random (42);

    for (int round = 0; round < 200; ++round)
    {
        auto block = good;
        for (int flips = 1 + random.nextInt (4); --flips >= 0;)
            block[(size_t) random.nextInt ((int) block.getSize())] = (char) random.nextInt (256);

        restoreComponentState (*plugin, defaultState);
        EXPECT_LT (restoreTimed (*plugin, block), 2.0) << "round " << round;
        EXPECT_GT (componentStateOf (*plugin).getSize(), 0u) << "round " << round;
    }
}
} // namespace
