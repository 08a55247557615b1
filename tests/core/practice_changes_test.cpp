#include "core/click_sounds.h"
#include "core/click_track.h"
#include "tests/core/clicks_found.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace tactora {
namespace {

// 48 kHz at 120 beats per minute: a beat is 24000 frames; at 180, 16000; at 240, 12000. The
// steps trainer goes up by its step every bar.
constexpr int rate = 48000;

TempoTrainer stepsUp(double step) {
    return {TempoTrainer::Kind::Steps, 240, step, 1};
}

TempoTrainer ramp(double target, int bars) {
    return {TempoTrainer::Kind::Ramp, target, 0, bars};
}

struct ChangeRow {
    const char* name;
    PracticePlan before;
    std::int64_t changeAt;
    double newTempo; // 0 for none
    PracticePlan after;
    std::vector<std::int64_t> beats;  // as reported, up to the last
    std::vector<std::int64_t> clicks; // as heard, up to the last beat
};

std::ostream& operator<<(std::ostream& out, const ChangeRow& row) {
    return out << row.name;
}

PracticePlan with(int subdivisions, TempoTrainer trainer = {}) {
    PracticePlan plan;
    plan.subdivisions = subdivisions;
    plan.trainer = trainer;
    return plan;
}

PracticePlan withSilentSecondBeat(TempoTrainer trainer) {
    PracticePlan plan = with(1, trainer);
    plan.pattern[1] = BeatLevel::Silent;
    return plan;
}

const ChangeRow changeRows[] = {
    {"a new tempo waits for the sub clicks of the beat in progress",
     with(2),
     30000,
     60,
     with(2),
     {0, 24000, 48000, 96000, 144000},
     {0, 12000, 24000, 36000, 48000, 72000, 96000, 120000, 144000}},
    {"more sub clicks from the next beat",
     with(1),
     30000,
     0,
     with(3),
     {0, 24000, 48000, 72000},
     {0, 24000, 48000, 56000, 64000, 72000}},
    {"a new trainer starts over from the next beat",
     with(1),
     30000,
     0,
     with(1, ramp(240, 1)),
     {0, 24000, 48000, 72000, 96000, 108000, 120000},
     {0, 24000, 48000, 72000, 96000, 108000, 120000}},
    {"the same trainer in a new plan keeps its course",
     with(1, stepsUp(60)),
     100000,
     0,
     withSilentSecondBeat(stepsUp(60)),
     {0, 24000, 48000, 72000, 96000, 112000, 128000, 144000, 160000, 172000, 184000},
     {0, 24000, 48000, 72000, 96000, 128000, 144000, 160000, 184000}},
    {"a new tempo starts the trainer over from it",
     with(1, stepsUp(60)),
     100000,
     60,
     with(1, stepsUp(60)),
     {0, 24000, 48000, 72000, 96000, 112000, 160000, 208000, 256000, 280000},
     {0, 24000, 48000, 72000, 96000, 112000, 160000, 208000, 256000, 280000}},
};

class PracticeChanges : public testing::TestWithParam<ChangeRow> {};

TEST_P(PracticeChanges, TakeEffectFromTheNextBeat) {
    const ChangeRow& row = GetParam();
    ClickTrack track(rate);
    ASSERT_TRUE(track.setPlan(row.before));
    track.restart();
    std::vector<std::int64_t> beats;
    std::vector<std::pair<std::int64_t, float>> found;
    int silent = 16;
    std::vector<float> audio(static_cast<std::size_t>(row.changeAt));
    const auto play = [&](std::int64_t first) {
        track.render(audio);
        findClicks(audio, first, silent, found);
        for (const BeatStart& beat : track.beatsStarted()) {
            beats.push_back(beat.frame);
        }
    };
    play(0);
    if (row.newTempo > 0) {
        ASSERT_TRUE(track.setTempo(row.newTempo));
    }
    ASSERT_TRUE(track.setPlan(row.after));
    audio.assign(static_cast<std::size_t>(row.beats.back() + 1 - row.changeAt), 0.0F);
    play(row.changeAt);
    std::vector<std::int64_t> clicks;
    for (const auto& [frame, level] : found) {
        clicks.push_back(frame);
    }
    EXPECT_EQ(beats, row.beats);
    EXPECT_EQ(clicks, row.clicks);
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeChanges, testing::ValuesIn(changeRows), NameField());

using Plan = PracticePlan;

struct ValidityRow {
    const char* name;
    void (*change)(Plan& plan);
    bool valid;      // by isValidPlan
    bool trackTakes; // by a track at 120 beats per minute
};

std::ostream& operator<<(std::ostream& out, const ValidityRow& row) {
    return out << row.name;
}

const ValidityRow validityRows[] = {
    {"the default plan", [](Plan&) {}, true, true},
    {"eight sub clicks", [](Plan& p) { p.subdivisions = 8; }, true, true},
    {"no sub click at all", [](Plan& p) { p.subdivisions = 0; }, false, false},
    {"nine sub clicks", [](Plan& p) { p.subdivisions = 9; }, false, false},
    {"a sub click level above one", [](Plan& p) { p.subdivisionLevel = 1.01; }, false, false},
    {"a sub click level not a number", [](Plan& p) { p.subdivisionLevel = std::nan(""); }, false, false},
    {"four bars of count in", [](Plan& p) { p.countInBars = 4; }, true, true},
    {"five bars of count in", [](Plan& p) { p.countInBars = 5; }, false, false},
    {"a count in below none", [](Plan& p) { p.countInBars = -1; }, false, false},
    {"no bar played", [](Plan& p) { p.playedBars = 0; }, false, false},
    {"silent bars below none", [](Plan& p) { p.mutedBars = -1; }, false, false},
    {"a sound past the last", [](Plan& p) { p.countInSound = static_cast<ClickSound>(4); }, false, false},
    {"a beat level past the last", [](Plan& p) { p.pattern[63] = static_cast<BeatLevel>(4); }, false, false},
    {"steps of none", [](Plan& p) { p.trainer = stepsUp(0); }, false, false},
    {"steps back", [](Plan& p) { p.trainer = stepsUp(-5); }, false, false},
    {"steps of infinity", [](Plan& p) { p.trainer = stepsUp(INFINITY); }, false, false},
    {"a target no rate plays", [](Plan& p) { p.trainer = ramp(3e6, 4); }, false, false},
    {"a target not a number", [](Plan& p) { p.trainer = ramp(std::nan(""), 4); }, false, false},
    {"a ramp of no bar", [](Plan& p) { p.trainer = ramp(200, 0); }, false, false},
    {"a ramp of 100000 bars", [](Plan& p) { p.trainer = ramp(200, 100000); }, true, true},
    {"a ramp of 100001 bars", [](Plan& p) { p.trainer = ramp(200, 100001); }, false, false},
    {"96000 steps to the target", [](Plan& p) { p.trainer = stepsUp(0.00125); }, true, true},
    {"more than 100000 steps to the target", [](Plan& p) { p.trainer = stepsUp(0.0011); }, true, false},
    {"a steps trainer off ignores its step", [](Plan& p) { p.trainer.stepBeatsPerMinute = 0; }, true, true},
};

class PracticeValidity : public testing::TestWithParam<ValidityRow> {};

TEST_P(PracticeValidity, RefusesWhatCannotBePlayed) {
    const ValidityRow& row = GetParam();
    PracticePlan plan;
    row.change(plan);
    EXPECT_EQ(isValidPlan(plan, rate), row.valid);
    ClickTrack track(rate);
    EXPECT_EQ(track.setPlan(plan), row.trackTakes);
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeValidity, testing::ValuesIn(validityRows), NameField());

std::string soundName(ClickSound sound) {
    constexpr std::array<const char*, clickSoundCount> names{"Beep", "WoodBlock", "SoftTick", "Cowbell"};
    return names[static_cast<std::size_t>(sound)];
}

class PracticeSounds : public testing::TestWithParam<std::tuple<ClickSound, int>> {};

// Zero crossings: the higher the pitch, the more of them.
int crossings(std::span<const float> sound) {
    int count = 0;
    for (std::size_t i = 1; i < sound.size(); ++i) {
        count += (sound[i - 1] < 0.0F) != (sound[i] < 0.0F) ? 1 : 0;
    }
    return count;
}

TEST_P(PracticeSounds, StartAtTheirLoudestAndEndWithin30Milliseconds) {
    const auto [which, sampleRate] = GetParam();
    const ClickSounds sounds(sampleRate);
    for (const bool accent : {false, true}) {
        const std::span<const float> sound = sounds.sound(which, accent);
        ASSERT_FALSE(sound.empty());
        EXPECT_EQ(sound[0], 1.0F) << (accent ? "accent" : "beat");
        EXPECT_LE(static_cast<double>(sound.size()), 0.030 * sampleRate);
        for (std::size_t i = 1; i < sound.size(); ++i) {
            ASSERT_LT(std::abs(sound[i]), sound[0]) << "sample " << i;
        }
    }
    EXPECT_GT(crossings(sounds.sound(which, true)), crossings(sounds.sound(which, false)));
    for (int other = 0; other < clickSoundCount; ++other) {
        if (static_cast<ClickSound>(other) != which) {
            const std::span<const float> a = sounds.sound(which, false);
            const std::span<const float> b = sounds.sound(static_cast<ClickSound>(other), false);
            EXPECT_FALSE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << "sound " << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeSounds,
                         testing::Combine(testing::Values(ClickSound::Beep, ClickSound::WoodBlock,
                                                          ClickSound::SoftTick, ClickSound::Cowbell),
                                          testing::Values(44100, 48000, 192000)),
                         [](const testing::TestParamInfo<std::tuple<ClickSound, int>>& info) {
                             return soundName(std::get<0>(info.param)) + "_Rate" +
                                    std::to_string(std::get<1>(info.param));
                         });

} // namespace
} // namespace tactora
