#include "core/click_track.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace tactora {

// Outside the unnamed namespace, where GoogleTest's printing looks for it.
static std::ostream& operator<<(std::ostream& out, const ClickOnset& onset) {
    return out << onset.frame << (onset.accent ? " accent" : "");
}

namespace {

// The clicks found in the audio itself: a sound after at least 16 silent frames (or at the
// start), an accent when its first sample is nearer the accent's level than the beat's.
std::vector<ClickOnset> onsetsHeard(const std::vector<float>& audio, std::int64_t firstFrame) {
    std::vector<ClickOnset> found;
    int silent = 16;
    for (std::size_t i = 0; i < audio.size(); ++i) {
        if (audio[i] != 0.0F && silent >= 16) {
            found.push_back({firstFrame + static_cast<std::int64_t>(i), audio[i] > 0.75F});
        }
        silent = audio[i] == 0.0F ? silent + 1 : 0;
    }
    return found;
}

std::vector<float> rendered(ClickTrack& track, std::int64_t frames) {
    std::vector<float> audio(static_cast<std::size_t>(frames));
    track.render(audio);
    return audio;
}

struct HourRow {
    const char* name;
    double beatsPerMinute;   // as the window hands it over
    std::uint64_t numerator; // and as the fraction it was typed as
    std::uint64_t denominator;
};

std::ostream& operator<<(std::ostream& out, const HourRow& row) {
    return out << row.name;
}

const HourRow hourRows[] = {
    {"Bpm60", 60.0, 60, 1},
    {"Bpm97.3", 97.3, 973, 10},
    {"Bpm120", 120.0, 120, 1},
    {"Bpm333.33", 333.33, 33333, 100},
    // A rate in cycles per second reaches the track in beats per minute.
    {"Hz7.5", 7.5 * 60.0, 450, 1},
};

class ClickHour : public testing::TestWithParam<std::tuple<HourRow, int>> {};

// The exact frame of beat n from the typed fraction, in whole numbers. No row meets a tie,
// so each is at least 1/(2 × numerator) of a frame from one, far beyond what the double
// differs from the fraction by over the hour (below 10^-7 frames): both round alike.
TEST_P(ClickHour, EveryBeatOfAnHourLiesAtItsExactFrame) {
    const auto& [row, rate] = GetParam();
    const std::uint64_t framesPerMinuteScaled = 60ULL * static_cast<std::uint64_t>(rate) * row.denominator;
    const auto exact = [&](std::uint64_t beat) {
        const std::uint64_t twice = 2 * beat * framesPerMinuteScaled;
        EXPECT_NE(twice % (2 * row.numerator), row.numerator) << "a tie at beat " << beat;
        return static_cast<std::int64_t>((twice + row.numerator) / (2 * row.numerator));
    };
    const std::int64_t hour = 3600LL * rate;
    const BeatGrid grid(rate, row.beatsPerMinute, 4.0);
    std::uint64_t beat = 0;
    for (; exact(beat) < hour; ++beat) {
        ASSERT_EQ(grid.onset(static_cast<std::int64_t>(beat)), (ClickOnset{exact(beat), beat % 4 == 0}))
            << "beat " << beat;
    }

    // The audio of the last seconds, from the first beat in them on.
    std::uint64_t first = beat;
    while (exact(first - 1) >= hour - 3LL * rate) {
        --first;
    }
    ClickTrack track(rate);
    ASSERT_TRUE(track.setTempo(row.beatsPerMinute));
    track.skip(exact(first));
    std::vector<ClickOnset> expected;
    for (std::uint64_t n = first; n < beat; ++n) {
        expected.push_back({exact(n), n % 4 == 0});
    }
    EXPECT_EQ(onsetsHeard(rendered(track, hour - exact(first)), exact(first)), expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClickHour,
                         testing::Combine(testing::ValuesIn(hourRows), testing::Values(44100, 48000, 192000)),
                         [](const testing::TestParamInfo<std::tuple<HourRow, int>>& info) {
                             // No structured binding here: its comma would split the macro's arguments.
                             return identifierOf(std::get<0>(info.param).name) + "_Rate" +
                                    std::to_string(std::get<1>(info.param));
                         });

// 48 kHz at 120 beats per minute: a beat is 24000 frames.
struct BarRow {
    const char* name;
    double beatsPerBar;
    double newTempo;       // 0 for no change
    double newBeatsPerBar; // 0 for no change
    std::int64_t changeAt;
    std::vector<ClickOnset> heard;
};

std::ostream& operator<<(std::ostream& out, const BarRow& row) {
    return out << row.name;
}

const BarRow barRows[] = {
    {"four beats", 4, 0, 0, 0, {{0, true}, {24000, false}, {48000, false}, {72000, false}, {96000, true}}},
    {"3.5 beats: the next bar half a beat after the last beat",
     3.5,
     0,
     0,
     0,
     {{0, true},
      {24000, false},
      {48000, false},
      {72000, false},
      {84000, true},
      {108000, false},
      {132000, false},
      {156000, false},
      {168000, true}}},
    {"a new tempo counts from the beat due",
     4,
     60,
     0,
     30000,
     {{0, true}, {24000, false}, {48000, false}, {96000, false}, {144000, true}, {192000, false}}},
    {"a change at the due beat's frame still keeps it",
     4,
     240,
     0,
     48000,
     {{0, true}, {24000, false}, {48000, false}, {60000, false}, {72000, true}, {84000, false}}},
    {"a shorter bar ends the bar in progress sooner",
     4,
     0,
     3,
     30000,
     {{0, true}, {24000, false}, {48000, false}, {72000, true}, {96000, false}, {120000, false}}},
    {"a bar already that long opens a new one",
     4,
     0,
     2,
     30000,
     {{0, true}, {24000, false}, {48000, true}, {72000, false}, {96000, true}}},
    {"a fractional bar counts from the bar's start",
     4,
     0,
     2.5,
     30000,
     {{0, true}, {24000, false}, {48000, false}, {60000, true}, {84000, false}, {108000, false}}},
};

class ClickBars : public testing::TestWithParam<BarRow> {};

TEST_P(ClickBars, AccentsAndChangesFallOnTheirBeats) {
    const BarRow& row = GetParam();
    ClickTrack track(48000);
    ASSERT_TRUE(track.setBeatsPerBar(row.beatsPerBar));
    std::vector<float> audio = rendered(track, row.changeAt);
    if (row.newTempo > 0) {
        ASSERT_TRUE(track.setTempo(row.newTempo));
    }
    if (row.newBeatsPerBar > 0) {
        ASSERT_TRUE(track.setBeatsPerBar(row.newBeatsPerBar));
    }
    const std::vector<float> rest = rendered(track, row.heard.back().frame + 1 - row.changeAt);
    audio.insert(audio.end(), rest.begin(), rest.end());
    EXPECT_EQ(onsetsHeard(audio, 0), row.heard);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClickBars, testing::ValuesIn(barRows), NameField());

class ClickChunks : public testing::TestWithParam<std::vector<std::size_t>> {};

TEST_P(ClickChunks, GiveTheAudioOfOneCall) {
    const auto setUp = [](ClickTrack& track) {
        track.setTempo(97.3);
        track.setBeatsPerBar(3.5);
        track.setVolume(0.8);
    };
    ClickTrack whole(44100);
    setUp(whole);
    const std::vector<float> expected = rendered(whole, 3 * 44100);
    ClickTrack chunked(44100);
    setUp(chunked);
    std::vector<float> audio(expected.size());
    for (std::size_t at = 0, i = 0; at < audio.size(); ++i) {
        const std::size_t size = std::min(GetParam()[i % GetParam().size()], audio.size() - at);
        chunked.render(std::span(audio).subspan(at, size));
        at += size;
    }
    EXPECT_EQ(audio, expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClickChunks,
                         testing::Values(std::vector<std::size_t>{1}, std::vector<std::size_t>{7, 4099, 0},
                                         std::vector<std::size_t>{30000, 1, 1023}),
                         [](const testing::TestParamInfo<std::vector<std::size_t>>& info) {
                             std::string name = "Frames";
                             for (const std::size_t size : info.param) {
                                 name += '_' + std::to_string(size);
                             }
                             return name;
                         });

// What a 16-bit audio format takes: the same audio at full scale, the accent's loudest
// sample at the top of the range without wrapping round.
TEST(ClickTrack, SixteenBitsAreTheFloatsAtFullScale) {
    ClickTrack floats(48000);
    ClickTrack shorts(48000);
    const std::vector<float> expected = rendered(floats, 48000);
    std::vector<std::int16_t> audio(expected.size());
    shorts.render(audio);
    EXPECT_EQ(audio[0], 32767);
    for (std::size_t i = 0; i < audio.size(); ++i) {
        ASSERT_NEAR(audio[i], expected[i] * 32767.0F, 0.5F) << "frame " << i;
    }
}

struct StopRow {
    double bars;
    double beatsPerBar;
    std::size_t clicksHeard;
    std::int64_t finishedAt; // the first beat past the last bar, at 120 beats per minute
};

std::ostream& operator<<(std::ostream& out, const StopRow& row) {
    return out << row.bars << " bars of " << row.beatsPerBar;
}

class ClickStop : public testing::TestWithParam<StopRow> {};

TEST_P(ClickStop, FallsSilentAtTheFirstBeatPastTheLastBar) {
    const StopRow& row = GetParam();
    ClickTrack track(48000);
    ASSERT_TRUE(track.setBeatsPerBar(row.beatsPerBar));
    track.setStopAfterBars(row.bars);
    const std::vector<float> audio = rendered(track, row.finishedAt);
    EXPECT_EQ(onsetsHeard(audio, 0).size(), row.clicksHeard);
    EXPECT_FALSE(track.finished());
    EXPECT_EQ(onsetsHeard(rendered(track, 96000), 0), std::vector<ClickOnset>{});
    EXPECT_TRUE(track.finished());
}

INSTANTIATE_TEST_SUITE_P(Rows, ClickStop,
                         testing::Values(StopRow{2, 4, 8, 8 * 24000}, StopRow{2.5, 4, 10, 10 * 24000},
                                         StopRow{1.5, 3.5, 6, 132000}),
                         [](const testing::TestParamInfo<StopRow>& info) {
                             return "Bars" + numberName(info.param.bars) + "_Beats" +
                                    numberName(info.param.beatsPerBar);
                         });

} // namespace
} // namespace tactora
