#include "EngineScenarios.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

// The engine's output is pinned by a checksum per scenario, kept in a file beside the tests.
// The plain reading of the echo moves whenever the engine is meant to sound different; these
// checksums move only when someone regenerates them on purpose:
//
//     VIMBREL_GOLDEN=1 ctest --test-dir build -R EngineGolden
//
// rewrites the file (the test then fails, to say so); commit it with the change it pins.
namespace
{
using namespace vimbrel::test;

constexpr const char* goldenFile = VIMBREL_ENGINE_GOLDEN_FILE;

// 64-bit FNV-1a over exact bytes.
struct Checksum
{
    std::uint64_t value = 0xcbf29ce484222325ull;

    template <typename T>
    void add (T x)
    {
        unsigned char bytes[sizeof (T)];
        std::memcpy (bytes, &x, sizeof (T));
        for (unsigned char b : bytes)
            value = (value ^ b) * 0x100000001b3ull;
    }
};

// Every output sample's bits, block by block and channel by channel, and the level step the
// meter reports after each block.
template <typename Sample>
std::uint64_t outputChecksum (const EngineScenario& s)
{
    auto processor = preparedProcessor (s);
    auto buffer = scenarioInput<Sample> (s);
    juce::MidiBuffer midi;
    Checksum checksum;

    for (const auto& block : scenarioBlocks (s))
    {
        for (const auto& [slot, value] : block.changes)
            processor->setParameter (slot, value);

        juce::AudioBuffer<Sample> samples (buffer.getArrayOfWritePointers(), s.channels, block.start, block.length);
        processor->processBlock (samples, midi);

        for (int channel = 0; channel < s.channels; ++channel)
            for (int i = 0; i < block.length; ++i)
                checksum.add (samples.getSample (channel, i));
        checksum.add ((float) processor->levelStep);
    }

    return checksum.value;
}

std::uint64_t outputChecksum (const EngineScenario& s)
{
    return s.doublePrecision ? outputChecksum<double> (s) : outputChecksum<float> (s);
}

// One line per scenario: the checksum in hexadecimal, a space, the scenario's name.
std::map<std::string, std::uint64_t> readGoldenTable()
{
    std::map<std::string, std::uint64_t> table;
    std::ifstream in (goldenFile);
    std::string line;
    while (std::getline (in, line))
    {
        std::istringstream fields (line);
        std::uint64_t checksum = 0;
        std::string name;
        if (fields >> std::hex >> checksum && fields.get() == ' ' && std::getline (fields, name))
            table[name] = checksum;
    }
    return table;
}

std::string hex (std::uint64_t value)
{
    std::ostringstream out;
    out << std::hex;
    out.width (16);
    out.fill ('0');
    out << value;
    return out.str();
}

TEST (EngineGolden, OutputMatchesThePinnedChecksums)
{
    const char* regenerate = std::getenv ("VIMBREL_GOLDEN");

    if (regenerate != nullptr && std::string (regenerate) == "1")
    {
        std::ofstream out (goldenFile, std::ios::trunc);
        for (const auto& s : engineScenarios)
            out << hex (outputChecksum (s)) << ' ' << s.name << '\n';

        ASSERT_TRUE (out.good()) << "could not write " << goldenFile;
        FAIL() << "rewrote " << goldenFile << " from the engine as it is; run again without VIMBREL_GOLDEN to compare";
    }

    auto golden = readGoldenTable();

    for (const auto& s : engineScenarios)
    {
        const auto pinned = golden.find (s.name);
        if (pinned == golden.end())
        {
            ADD_FAILURE() << s.name << ": no checksum in " << goldenFile << " (regenerate with VIMBREL_GOLDEN=1)";
            continue;
        }

        EXPECT_EQ (hex (outputChecksum (s)), hex (pinned->second)) << s.name;
        golden.erase (pinned);
    }

    for (const auto& [name, checksum] : golden)
        ADD_FAILURE() << goldenFile << " pins \"" << name << "\", which no scenario runs any more";
}
} // namespace
