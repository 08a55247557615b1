#include "core/click_sounds.h"
#include "core/click_track.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tactora {
namespace {

// 48 kHz at 120 beats per minute: a beat is 24000 frames; at 180, 16000; at 240, 12000. The
// steps trainer goes up by its step every bar.
constexpr int rate = 48000;
using Frames = std::vector<std::int64_t>;

struct ChangeRow {
    const char* name;
    PracticePlan before;
    std::int64_t changeAt;
    double newTempo; // 0 for none
    PracticePlan after;
    Frames beats;  // as reported, up to the last
    Frames clicks; // as heard, up to the last beat
};

TempoTrainer stepsUp(double step) {
    return {TempoTrainer::Kind::Steps, 240, step, 1};
}

TempoTrainer ramp(double target, int bars) {
    return {TempoTrainer::Kind::Ramp, target, 0, bars};
}

PracticePlan with(int subdivisions, TempoTrainer trainer = {}, BeatLevel second = BeatLevel::Normal) {
    PracticePlan plan{.subdivisions = subdivisions, .trainer = trainer};
    plan.pattern[1] = second;
    return plan;
}

const ChangeRow changeRows[] = {
    {"a new tempo waits for the sub clicks of the beat in progress", with(2), 30000, 60, with(2),
     Frames{0, 24000, 48000, 96000, 144000},
     Frames{0, 12000, 24000, 36000, 48000, 72000, 96000, 120000, 144000}},
    {"more sub clicks from the next beat", with(1), 30000, 0, with(3), Frames{0, 24000, 48000, 72000},
     Frames{0, 24000, 48000, 56000, 64000, 72000}},
    {"a new trainer starts over from the next beat", with(1), 30000, 0, with(1, ramp(240, 1)),
     Frames{0, 24000, 48000, 72000, 96000, 108000, 120000},
     Frames{0, 24000, 48000, 72000, 96000, 108000, 120000}},
    {"the same trainer in a new plan keeps its course", with(1, stepsUp(60)), 100000, 0,
     with(1, stepsUp(60), BeatLevel::Silent),
     Frames{0, 24000, 48000, 72000, 96000, 112000, 128000, 144000, 160000, 172000, 184000},
     Frames{0, 24000, 48000, 72000, 96000, 128000, 144000, 160000, 184000}},
    {"a new tempo starts the trainer over from it", with(1, stepsUp(60)), 100000, 60, with(1, stepsUp(60)),
     Frames{0, 24000, 48000, 72000, 96000, 112000, 160000, 208000, 256000, 280000},
     Frames{0, 24000, 48000, 72000, 96000, 112000, 160000, 208000, 256000, 280000}},
};

// Where clicks start, as a listener finds them: a sound after at least 16 silent frames.
std::vector<std::int64_t> onsets(const std::vector<float>& audio) {
    std::vector<std::int64_t> found;
    int silent = 16;
    for (std::size_t i = 0; i < audio.size(); ++i) {
        if (audio[i] != 0.0F && silent >= 16) {
            found.push_back(static_cast<std::int64_t>(i));
        }
        silent = audio[i] == 0.0F ? silent + 1 : 0;
    }
    return found;
}

class PracticeChanges : public testing::TestWithParam<ChangeRow> {};

TEST_P(PracticeChanges, TakeEffectFromTheNextBeat) {
    const ChangeRow& row = GetParam();
    ClickTrack track(rate);
    ASSERT_TRUE(track.setPlan(row.before));
    track.restart();
    std::vector<float> audio(static_cast<std::size_t>(row.beats.back() + 1));
    std::vector<std::int64_t> beats;
    const auto play = [&](std::span<float> part) {
        track.render(part);
        for (const BeatStart& beat : track.beatsStarted()) {
            beats.push_back(beat.frame);
        }
    };
    play(std::span(audio).first(static_cast<std::size_t>(row.changeAt)));
    if (row.newTempo > 0) {
        ASSERT_TRUE(track.setTempo(row.newTempo));
    }
    ASSERT_TRUE(track.setPlan(row.after));
    play(std::span(audio).subspan(static_cast<std::size_t>(row.changeAt)));
    EXPECT_EQ(beats, row.beats);
    EXPECT_EQ(onsets(audio), row.clicks);
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeChanges, testing::ValuesIn(changeRows), NameField());

using Plan = PracticePlan;

struct ValidityRow {
    const char* name;
    void (*change)(Plan& plan);
    bool valid;      // by isValidPlan
    bool trackTakes; // by a track at 120 beats per minute
};

const ValidityRow validityRows[] = {
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

// Zero crossings: the higher the pitch, the more of them.
int crossings(std::span<const float> sound) {
    int count = 0;
    for (std::size_t i = 1; i < sound.size(); ++i) {
        count += (sound[i - 1] < 0.0F) != (sound[i] < 0.0F) ? 1 : 0;
    }
    return count;
}

class PracticeSounds : public testing::TestWithParam<int> {};

// Each sound, its accent's too: loudest at its first sample, over within 30 ms; the accent's
// pitch the higher; no two sounds alike.
TEST_P(PracticeSounds, StartAtTheirLoudestAndEndWithin30Milliseconds) {
    const int sampleRate = GetParam();
    const ClickSounds sounds(sampleRate);
    const auto sound = [&sounds](int which, bool accent) {
        return sounds.sound(static_cast<ClickSound>(which), accent);
    };
    for (int which = 0; which < clickSoundCount; ++which) {
        for (const bool accent : {false, true}) {
            const std::span<const float> samples = sound(which, accent);
            ASSERT_FALSE(samples.empty());
            EXPECT_EQ(samples[0], 1.0F) << "sound " << which << (accent ? ", accent" : "");
            EXPECT_LE(static_cast<double>(samples.size()), 0.030 * sampleRate) << "sound " << which;
            EXPECT_TRUE(
                std::all_of(samples.begin() + 1, samples.end(), [](float s) { return std::abs(s) < 1.0F; }))
                << "sound " << which;
        }
        EXPECT_GT(crossings(sound(which, true)), crossings(sound(which, false))) << "sound " << which;
        for (int other = 0; other < which; ++other) {
            EXPECT_FALSE(std::ranges::equal(sound(which, false), sound(other, false)))
                << which << " is " << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeSounds, testing::Values(44100, 48000, 192000),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Rate" + std::to_string(info.param);
                         });

} // namespace
} // namespace tactora
