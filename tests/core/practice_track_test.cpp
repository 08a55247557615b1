#include "core/click_sounds.h"
#include "core/click_track.h"
#include "tests/core/practice_reference.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace tactora {

// Outside the unnamed namespace, where GoogleTest's printing looks for it.
static void PrintTo(const BeatStart& beat, std::ostream* out) {
    *out << "bar " << beat.bar << " beat " << beat.beatInBar << " at " << beat.frame << " ("
         << beat.beatsPerMinute << (beat.muted ? " bpm, muted)" : " bpm)");
}

namespace {

using reference::Click;
using reference::Playing;
using enum BeatLevel;
using enum ClickSound;
using enum TempoTrainer::Kind;

struct PlanRow {
    const char* name;
    Playing setup;
};

// These first beat levels, the rest Normal; for each kind of click a sound that is neither its
// default nor another kind's, and a sub click level that is none of a beat's.
PracticePlan plan(std::initializer_list<BeatLevel> first, int subdivisions, int countInBars = 0,
                  int playedBars = 4, int mutedBars = 0, TempoTrainer trainer = {}) {
    PracticePlan plan;
    std::copy(first.begin(), first.end(), plan.pattern.begin());
    plan.subdivisions = subdivisions;
    plan.subdivisionLevel = 0.375;
    plan.accentSound = WoodBlock;
    plan.beatSound = SoftTick;
    plan.subdivisionSound = Cowbell;
    plan.countInSound = Beep;
    plan.countInBars = countInBars;
    plan.playedBars = playedBars;
    plan.mutedBars = mutedBars;
    plan.trainer = trainer;
    return plan;
}

// Every subdivision from 1 to 8 appears once; the tempos stay slow enough for the longest
// sound (30 ms) to end before the next click.
const PlanRow planRows[] = {
    {"the default plan: accent then beats", {48000, 1334, 4, 1, {}}},
    {"accent soft silent normal in sixteenths",
     {48000, 389, 5, 1, plan({Accent, Soft, Silent, Normal, Soft}, 4)}},
    {"eight per beat in a bar of 3.5 ends with the bar", {48000, 600, 7, 2, plan({Accent, Normal, Soft}, 8)}},
    {"triplets after two bars of count in", {48000, 534, 4, 1, plan({Accent}, 3, 2)}},
    {"two bars played one silent after a count in", {48000, 480, 3, 1, plan({Accent}, 5, 1, 2, 1)}},
    {"steps of 25 every 3 bars up to 175",
     {48000, 400, 4, 1, plan({Accent, Silent}, 2, 1, 3, 1, {Steps, 175, 25, 3})}},
    {"ramp from 120 to 150 over 5 bars of 2.5",
     {48000, 480, 5, 2, plan({Accent}, 7, 1, 4, 0, {Ramp, 150, 0, 5})}},
    {"ramp down from 150 to 110 over 4 bars",
     {48000, 600, 3, 1, plan({Accent, Soft}, 6, 0, 4, 0, {Ramp, 110, 0, 4})}},
};

// The audio the reference's clicks make from `first` on: a heard click sounds until its end
// or the next heard click.
std::vector<float> expectedAudio(const ClickSounds& sounds, const std::vector<Click>& heard,
                                 std::int64_t first, std::int64_t frames) {
    std::vector<float> audio(static_cast<std::size_t>(frames));
    for (auto click = heard.begin(); click != heard.end() && click->at.frame < first + frames; ++click) {
        const std::span<const float> sound = sounds.sound(click->sound, click->accentPitch);
        const std::int64_t start = click->at.frame;
        const std::int64_t end = std::min({start + static_cast<std::int64_t>(sound.size()), first + frames,
                                           click + 1 == heard.end() ? INT64_MAX : (click + 1)->at.frame});
        for (std::int64_t frame = std::max(start, first); frame < end; ++frame) {
            audio[static_cast<std::size_t>(frame - first)] =
                sound[static_cast<std::size_t>(frame - start)] * click->level;
        }
    }
    return audio;
}

ClickTrack trackFor(const Playing& setup) {
    ClickTrack track(setup.sampleRate);
    EXPECT_TRUE(track.setTempo(static_cast<double>(setup.startQuarters) / 4));
    EXPECT_TRUE(track.setBeatsPerBar(static_cast<double>(setup.barNumerator) /
                                     static_cast<double>(setup.barDenominator)));
    EXPECT_TRUE(track.setPlan(setup.plan));
    track.restart();
    return track;
}

class PracticeHour : public testing::TestWithParam<std::tuple<PlanRow, int>> {};

// Over an hour: where every bar starts; the first and the last two minutes sample by sample
// against the exact reference; the beats reported, played through a second at a time, and by
// a track that skipped to the last minutes in one step; and a stop after two bars of music.
TEST_P(PracticeHour, EveryClickLiesAtItsExactFrameWithItsSound) {
    Playing setup = std::get<0>(GetParam()).setup;
    setup.sampleRate = std::get<1>(GetParam());
    const std::int64_t rate = setup.sampleRate;
    const std::int64_t lastMinutes = 3480 * rate;
    std::vector<Click> heard;
    std::vector<BeatStart> beats;
    std::vector<std::int64_t> barStarts;
    for (const Click& click : reference::clicks(setup, 3600 * rate)) {
        if (click.level > 0.0F) {
            heard.push_back(click);
        }
        if (click.beat) {
            beats.push_back(click.at);
        }
        if (click.beat && click.at.beatInBar == 0) {
            barStarts.push_back(click.at.frame);
        }
    }
    ClickTrack track = trackFor(setup);
    std::vector<std::int64_t> barFrames;
    for (std::size_t bar = 0; bar < barStarts.size(); ++bar) {
        barFrames.push_back(track.barFrame(static_cast<std::int64_t>(bar)));
    }
    EXPECT_EQ(barFrames, barStarts);

    ClickTrack stopping = trackFor(setup);
    stopping.setStopAfterBars(2);
    stopping.skip(barStarts[static_cast<std::size_t>(setup.plan.countInBars) + 2]);
    EXPECT_FALSE(stopping.finished());
    stopping.skip(1);
    EXPECT_TRUE(stopping.finished());

    ClickTrack jumped = trackFor(setup);
    jumped.skip(lastMinutes);
    const auto lastBefore = std::lower_bound(beats.begin(), beats.end(), lastMinutes,
                                             [](const BeatStart& b, std::int64_t f) { return b.frame < f; });
    EXPECT_EQ(std::vector<BeatStart>(jumped.beatsStarted().begin(), jumped.beatsStarted().end()),
              std::vector<BeatStart>(lastBefore - ClickTrack::maxBeatsPerCall, lastBefore));

    const ClickSounds sounds(setup.sampleRate);
    std::vector<BeatStart> reported;
    std::vector<float> audio(static_cast<std::size_t>(rate));
    for (std::int64_t first = 0; first < 3600 * rate; first += rate) {
        if (first < 120 * rate || first >= lastMinutes) {
            track.render(audio);
            const std::vector<float> wanted = expectedAudio(sounds, heard, first, rate);
            const auto differ = std::mismatch(audio.begin(), audio.end(), wanted.begin());
            ASSERT_TRUE(differ.first == audio.end()) << "frame " << first + (differ.first - audio.begin())
                                                     << ": " << *differ.first << " for " << *differ.second;
        } else {
            track.skip(rate);
        }
        reported.insert(reported.end(), track.beatsStarted().begin(), track.beatsStarted().end());
        if (first == lastMinutes) {
            std::vector<float> alsoHeard(audio.size());
            jumped.render(alsoHeard);
            ASSERT_TRUE(alsoHeard == audio) << "the track that skipped sounds otherwise";
        }
    }
    EXPECT_EQ(reported, beats);
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeHour,
                         testing::Combine(testing::ValuesIn(planRows), testing::Values(44100, 48000, 192000)),
                         [](const testing::TestParamInfo<std::tuple<PlanRow, int>>& info) {
                             return identifierOf(std::get<0>(info.param).name) + "_Rate" +
                                    std::to_string(std::get<1>(info.param));
                         });

} // namespace
} // namespace tactora
