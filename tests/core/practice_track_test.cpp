#include "core/click_sounds.h"
#include "core/click_track.h"
#include "tests/core/clicks_found.h"
#include "tests/core/practice_reference.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

struct PlanRow {
    const char* name;
    Playing setup;
};

std::ostream& operator<<(std::ostream& out, const PlanRow& row) {
    return out << row.name;
}

PracticePlan patterned(std::vector<BeatLevel> levels, int subdivisions) {
    PracticePlan plan;
    std::copy(levels.begin(), levels.end(), plan.pattern.begin());
    plan.subdivisions = subdivisions;
    plan.subdivisionLevel = 0.375;
    return plan;
}

TempoTrainer trainer(TempoTrainer::Kind kind, double target, double step, int bars) {
    return {kind, target, step, bars};
}

// Every subdivision from 1 to 8 appears once; the tempos stay slow enough for the longest
// sound (30 ms) to end before the next click, so that every click is found after silence.
std::vector<PlanRow> planRows() {
    using enum BeatLevel;
    std::vector<PlanRow> rows;
    rows.push_back({"the default plan: accent then beats", {48000, 1334, 4, 1, PracticePlan{}}});
    PracticePlan levels = patterned({Accent, Soft, Silent, Normal, Soft}, 4);
    levels.accentSound = ClickSound::WoodBlock;
    levels.beatSound = ClickSound::SoftTick;
    rows.push_back({"accent soft silent normal in sixteenths", {48000, 389, 5, 1, levels}});
    PracticePlan eighths = patterned({Accent, Normal, Soft, Normal}, 8);
    eighths.subdivisionSound = ClickSound::Cowbell;
    rows.push_back({"eight per beat in a bar of 3.5 ends with the bar", {48000, 600, 7, 2, eighths}});
    PracticePlan countIn = patterned({Accent}, 3);
    countIn.countInBars = 2;
    countIn.countInSound = ClickSound::Cowbell;
    rows.push_back({"triplets after two bars of count in", {48000, 534, 4, 1, countIn}});
    PracticePlan muted = patterned({Accent}, 5);
    muted.playedBars = 2;
    muted.mutedBars = 1;
    muted.countInBars = 1;
    rows.push_back({"two bars played one silent after a count in", {48000, 480, 3, 1, muted}});
    PracticePlan steps = patterned({Accent, Silent}, 2);
    steps.countInBars = 1;
    steps.trainer = trainer(TempoTrainer::Kind::Steps, 175, 25, 3);
    steps.playedBars = 3;
    steps.mutedBars = 1;
    rows.push_back({"steps of 25 every 3 bars up to 175", {48000, 400, 4, 1, steps}});
    PracticePlan ramp = patterned({Accent}, 7);
    ramp.countInBars = 1;
    ramp.trainer = trainer(TempoTrainer::Kind::Ramp, 150, 0, 5);
    rows.push_back({"ramp from 120 to 150 over 5 bars of 2.5", {48000, 480, 5, 2, ramp}});
    PracticePlan down = patterned({Accent, Soft}, 6);
    down.trainer = trainer(TempoTrainer::Kind::Ramp, 110, 0, 4);
    rows.push_back({"ramp down from 150 to 110 over 4 bars", {48000, 600, 3, 1, down}});
    return rows;
}

// The audio the reference's clicks make from `first` on: a heard click sounds until its end
// or the next heard click.
std::vector<float> expectedAudio(const ClickSounds& sounds, const std::vector<Click>& heard,
                                 std::int64_t first, std::int64_t frames) {
    std::vector<float> audio(static_cast<std::size_t>(frames));
    auto click = std::upper_bound(heard.begin(), heard.end(), first,
                                  [](std::int64_t frame, const Click& c) { return frame < c.frame; });
    if (click != heard.begin()) {
        --click;
    }
    for (; click != heard.end() && click->frame < first + frames; ++click) {
        const std::span<const float> sound = sounds.sound(click->sound, click->accentPitch);
        const std::int64_t end = std::min(click->frame + static_cast<std::int64_t>(sound.size()),
                                          click + 1 == heard.end() ? INT64_MAX : (click + 1)->frame);
        for (std::int64_t frame = std::max(click->frame, first); frame < std::min(end, first + frames);
             ++frame) {
            audio[static_cast<std::size_t>(frame - first)] =
                sound[static_cast<std::size_t>(frame - click->frame)] * click->level;
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

BeatStart beatOf(const Click& click) {
    return {click.frame, click.bar, click.beatInBar, click.beatsPerMinute, click.muted};
}

class PracticeHour : public testing::TestWithParam<std::tuple<PlanRow, int>> {};

// The first and the last two minutes of an hour are rendered and their clicks compared one
// by one with the exact reference, then sample by sample; the beats reported are compared for
// the whole hour, played through a second at a time, and for a track that skipped to the last
// minutes in one step.
TEST_P(PracticeHour, EveryClickLiesAtItsExactFrameWithItsSound) {
    Playing setup = std::get<0>(GetParam()).setup;
    setup.sampleRate = std::get<1>(GetParam());
    const std::int64_t rate = setup.sampleRate;
    const std::int64_t hour = 3600 * rate;
    const std::int64_t lastMinutes = hour - 120 * rate;
    const auto rendered = [&](std::int64_t frame) { return frame < 120 * rate || frame >= lastMinutes; };
    std::vector<Click> heard;
    std::vector<BeatStart> beats;
    std::vector<std::pair<std::int64_t, float>> expected;
    for (const Click& click : reference::clicks(setup, hour)) {
        ASSERT_FALSE(click.tie) << "the reference meets a tie at " << click.frame;
        if (click.level > 0.0F) {
            heard.push_back(click);
            if (rendered(click.frame)) {
                expected.emplace_back(click.frame, click.level);
            }
        }
        if (click.beat) {
            beats.push_back(beatOf(click));
        }
    }
    const ClickSounds sounds(setup.sampleRate);

    ClickTrack track = trackFor(setup);
    ClickTrack jumped = trackFor(setup);
    jumped.skip(lastMinutes);
    const std::vector<BeatStart> skipped(jumped.beatsStarted().begin(), jumped.beatsStarted().end());
    const auto lastBefore =
        std::lower_bound(beats.begin(), beats.end(), lastMinutes,
                         [](const BeatStart& b, std::int64_t frame) { return b.frame < frame; });
    EXPECT_EQ(skipped,
              std::vector<BeatStart>(lastBefore - static_cast<std::ptrdiff_t>(ClickTrack::maxBeatsPerCall),
                                     lastBefore));

    std::vector<BeatStart> reported;
    std::vector<std::pair<std::int64_t, float>> found;
    int silent = 16;
    std::vector<float> audio(static_cast<std::size_t>(rate));
    for (std::int64_t second = 0; second < 3600; ++second) {
        const std::int64_t first = second * rate;
        if (rendered(first)) {
            track.render(audio);
            findClicks(audio, first, silent, found);
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
    EXPECT_EQ(found, expected);
    EXPECT_EQ(reported, beats);
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeHour,
                         testing::Combine(testing::ValuesIn(planRows()),
                                          testing::Values(44100, 48000, 192000)),
                         [](const testing::TestParamInfo<std::tuple<PlanRow, int>>& info) {
                             return identifierOf(std::get<0>(info.param).name) + "_Rate" +
                                    std::to_string(std::get<1>(info.param));
                         });

class PracticeBars : public testing::TestWithParam<PlanRow> {};

// Bar 0 is the count-in's first; the export takes barFrame(count-in + bars) as its length.
TEST_P(PracticeBars, BarFrameIsWhereTheBarStarts) {
    const Playing& setup = GetParam().setup;
    const ClickTrack track = trackFor(setup);
    for (const std::int64_t bar : {0, 1, 2, 3, 5, 17, 100, 2000}) {
        EXPECT_EQ(track.barFrame(bar), reference::barStart(setup, bar)) << "bar " << bar;
    }
    // Stopping after two bars of music ends where the third starts, the count-in not counted.
    ClickTrack stopping = trackFor(setup);
    stopping.setStopAfterBars(2);
    stopping.skip(track.barFrame(setup.plan.countInBars + 2));
    EXPECT_FALSE(stopping.finished());
    stopping.skip(1);
    EXPECT_TRUE(stopping.finished());
}

INSTANTIATE_TEST_SUITE_P(Rows, PracticeBars, testing::ValuesIn(planRows()), NameField());

} // namespace
} // namespace tactora
