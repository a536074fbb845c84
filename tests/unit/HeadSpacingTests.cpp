#include "processor/EchoPluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

struct Settings
{
    float host = 1.0f, manual = 0.5f, classic = 0.0f;
    float hostBpm = 120.0f, manualBpm = 0.0f;
    float b58 = 0.0f, b68 = 0.0f, b78 = 0.0f, b88 = 1.0f;
    float doubleTime = 0.0f;
};

struct Case
{
    const char* name;
    Settings settings;
    float spacing;
    float effectiveBpm;
};

// Sets the fields directly, then lets one parameter write recompute the dependent values.
void apply (NewProjectAudioProcessor& p, const Settings& s)
{
    p.fbpmhost = s.host;
    p.fbpmmanual = s.manual;
    p.fbpmclassic = s.classic;
    p.hostBpm = s.hostBpm;
    p.fbpm = s.manualBpm;
    p.fbtn58 = s.b58;
    p.fbtn68 = s.b68;
    p.fbtn78 = s.b78;
    p.fbtn88 = s.b88;
    p.fbtn2 = s.doubleTime;
    p.setParameter (Slot::unused7, 0.0f);
}

Settings with (std::function<void (Settings&)> change)
{
    Settings s;
    change (s);
    return s;
}

TEST (HeadSpacing, FollowsTempoSourceBeatFractionAndDoubleTime)
{
    // clang-format off
    const Case cases[] = {
        { "host 120, 8/8", {}, 0.5f, 120.0f },
        { "host 120, 8/8, double time", with ([] (Settings& s) { s.doubleTime = 1.0f; }), 1.0f, 120.0f },
        { "double time given as 0.5 counts as on", with ([] (Settings& s) { s.doubleTime = 0.5f; }), 1.0f, 120.0f },
        { "host 120, 7/8", with ([] (Settings& s) { s.b88 = 0.0f; s.b78 = 1.0f; }), 52.5f / 120.0f, 120.0f },
        { "host 120, 6/8", with ([] (Settings& s) { s.b88 = 0.0f; s.b68 = 1.0f; }), 0.375f, 120.0f },
        { "host 120, 5/8, double time", with ([] (Settings& s) { s.b88 = 0.0f; s.b58 = 1.0f; s.doubleTime = 1.0f; }), 0.625f, 120.0f },
        { "host 100, 5/8 beats 8/8", with ([] (Settings& s) { s.hostBpm = 100.0f; s.b58 = 1.0f; }), 0.375f, 100.0f },
        { "manual beats host", with ([] (Settings& s) { s.manual = 1.0f; s.manualBpm = 80.0f; s.b88 = 0.0f; s.b68 = 1.0f; }), 0.5625f, 80.0f },
        { "manual only", with ([] (Settings& s) { s.host = 0.0f; s.manual = 1.0f; s.manualBpm = 90.0f; }), 60.0f / 90.0f, 90.0f },
        { "no beat button on", with ([] (Settings& s) { s.manual = 1.0f; s.manualBpm = 90.0f; s.b88 = 0.0f; s.b58 = 0.5f; }), 0.0f, 90.0f },
        { "classic", with ([] (Settings& s) { s.classic = 1.0f; s.manual = 1.0f; s.manualBpm = 60.0f; }), 0.69f, 100.0f },
        { "classic, double time", with ([] (Settings& s) { s.classic = 1.0f; s.doubleTime = 1.0f; s.b58 = 1.0f; }), 1.38f, 100.0f },
        { "a source flag of 0.5 is off", with ([] (Settings& s) { s.host = 0.5f; }), 0.0f, 120.0f },
        { "a beat button of 0.5 is off", with ([] (Settings& s) { s.b88 = 0.5f; }), 0.0f, 120.0f },
        // A tempo the drum cannot run from counts as 120 BPM.
        { "manual tempo never set", with ([] (Settings& s) { s.host = 0.0f; s.manual = 1.0f; s.manualBpm = 0.0f; }), 0.5f, 120.0f },
        { "negative manual tempo", with ([] (Settings& s) { s.host = 0.0f; s.manual = 1.0f; s.manualBpm = -60.0f; }), 0.5f, 120.0f },
        { "manual tempo not a number", with ([] (Settings& s) { s.host = 0.0f; s.manual = 1.0f; s.manualBpm = nan; }), 0.5f, 120.0f },
        { "infinite manual tempo", with ([] (Settings& s) { s.host = 0.0f; s.manual = 1.0f; s.manualBpm = inf; }), 0.5f, 120.0f },
        { "manual tempo too small to divide by", with ([] (Settings& s) { s.host = 0.0f; s.manual = 1.0f; s.manualBpm = 1.0e-38f; s.doubleTime = 1.0f; }), 1.0f, 120.0f },
        { "host tempo not a number", with ([] (Settings& s) { s.hostBpm = nan; }), 0.5f, 120.0f },
        { "huge manual tempo", with ([] (Settings& s) { s.host = 0.0f; s.manual = 1.0f; s.manualBpm = 1.0e30f; }), 60.0f / 1.0e30f, 1.0e30f },
    };
    // clang-format on

    // One instance serves every case. Each starts from the standard settings, which also bring
    // back the tempo shown, the one value a case may carry over.
    auto processor = std::make_unique<NewProjectAudioProcessor>();

    for (const auto& c : cases)
    {
        apply (*processor, {});
        ASSERT_EQ (processor->headSpacing, 0.5f) << "before " << c.name;
        ASSERT_EQ (processor->effectiveBpm, 120.0f) << "before " << c.name;

        apply (*processor, c.settings);
        EXPECT_EQ (processor->headSpacing, c.spacing) << c.name;
        EXPECT_EQ (processor->effectiveBpm, c.effectiveBpm) << c.name;
        EXPECT_TRUE (std::isfinite (processor->headSpacing.load()) && processor->headSpacing >= 0.0f) << c.name;
    }
}

TEST (HeadSpacing, WithNoSourceOnIsZeroAndKeepsTheTempoShown)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    apply (*processor, with ([] (Settings& s) { s.hostBpm = 90.0f; }));
    ASSERT_EQ (processor->effectiveBpm, 90.0f);

    apply (*processor, with (
                           [] (Settings& s)
                           {
                               s.host = 0.0f;
                               s.hostBpm = 140.0f;
                           }));
    EXPECT_EQ (processor->headSpacing, 0.0f);
    EXPECT_EQ (processor->effectiveBpm, 90.0f);

    processor->effectiveBpm = 0.0f;
    processor->setParameter (Slot::unused7, 0.0f);
    EXPECT_EQ (processor->effectiveBpm, 120.0f);
}

TEST (HeadSpacing, FollowsAHostTempoChangeOnlyAtTheNextWrite)
{
    auto processor = std::make_unique<NewProjectAudioProcessor>();
    processor->hostBpm = 60.0f;
    EXPECT_EQ (processor->headSpacing, 0.5f);
    EXPECT_EQ (processor->effectiveBpm, 120.0f);

    processor->setParameter (Slot::input, 0.7f);
    EXPECT_EQ (processor->headSpacing, 1.0f);
    EXPECT_EQ (processor->effectiveBpm, 60.0f);
}

TEST (HeadSpacing, OversamplingChoiceGivesTheStageCount)
{
    const std::pair<float, int> cases[] = {
        { 0.0f, 1 },
        { 0.25f, 2 },
        { 0.5f, 3 },
        { 0.75f, 4 },
        { 1.0f, 5 },
        { 0.3f, 2 },
        { -0.1f, 0 },
        { -0.3f, 0 },
        { -0.5f, -1 },
        { nan, 0 },
        { 1.0e30f, std::numeric_limits<int>::max() },
        { -inf, std::numeric_limits<int>::min() },
    };

    auto processor = std::make_unique<NewProjectAudioProcessor>();

    for (const auto& [choice, factor] : cases)
    {
        processor->setParameter (Slot::oversampling, choice);
        EXPECT_EQ (processor->oversamplingFactor, factor) << "choice " << choice;
    }
}
} // namespace
