#include "core/number_format.h"
#include "core/tap_tempo.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace tactora {
namespace {

using std::chrono::milliseconds;

struct TapRow {
    const char* name;
    std::vector<int> milliseconds; // the moments of the taps
    std::string beatsPerMinute;    // as the display rule writes it; empty for no tempo yet
    std::size_t counted;
    std::size_t ignored;
    TapTempo::Outcome last; // what the last tap did
    bool uncertain;         // whether an uncertainty comes with the estimate
};

std::ostream& operator<<(std::ostream& out, const TapRow& row) {
    return out << row.name;
}

using enum TapTempo::Outcome;
const TapRow tapRows[] = {
    {"one tap is no tempo", {0}, "", 1, 0, Counted, false},
    {"two taps", {0, 500}, "120", 2, 0, Counted, false},
    // The least-squares slope, 0.505 s, not the mean interval, 0.5 s.
    {"uneven taps", {0, 450, 1000, 1500}, "118.811881188119", 4, 0, Counted, true},
    {"a double tap is dropped", {0, 500, 1000, 1500, 1540}, "120", 4, 1, DoubleTapIgnored, true},
    {"a skipped beat keeps the tempo", {0, 500, 1000, 2000, 2500}, "120", 5, 0, Counted, true},
    {"two skipped beats keep it too", {0, 500, 1000, 2500, 3000}, "120", 5, 0, Counted, true},
    {"a pause of four beats starts over", {0, 300, 600, 1800}, "", 1, 0, StartedOver, false},
    {"and counts from the tap after it", {0, 300, 600, 1800, 2150}, "171.428571428571", 2, 0, Counted, false},
    {"a gap of exactly two seconds continues", {0, 2000, 4000}, "30", 3, 0, Counted, true},
    {"a longer gap starts over", {0, 500, 2501, 3001}, "120", 2, 0, Counted, false},
    {"starting over needs two taps again", {0, 500, 2501}, "", 1, 0, StartedOver, false},
    {"a clock going back starts over", {1000, 500, 1000}, "120", 2, 0, Counted, false},
    {"slow taps", {0, 1999, 3998}, "30.0150075037519", 3, 0, Counted, true},
};

class TapEstimate : public testing::TestWithParam<TapRow> {};

TEST_P(TapEstimate, FollowsTheCountedTapsOfTheCurrentSeries) {
    const TapRow& row = GetParam();
    TapTempo taps;
    TapTempo::Outcome last{};
    for (const int ms : row.milliseconds) {
        last = taps.tap(milliseconds(ms));
    }
    EXPECT_EQ(last, row.last);
    EXPECT_EQ(taps.uncertaintyBpm().has_value(), row.uncertain);
    EXPECT_EQ(taps.tapCount(), row.counted);
    EXPECT_EQ(taps.ignoredDoubleTaps(), row.ignored);
    const std::optional<Checked> bpm = taps.beatsPerMinute();
    if (row.beatsPerMinute.empty()) {
        EXPECT_FALSE(bpm.has_value());
        return;
    }
    ASSERT_TRUE(bpm.has_value());
    ASSERT_TRUE(bpm->ok());
    EXPECT_EQ(formatNumber(bpm->value), row.beatsPerMinute);
}

INSTANTIATE_TEST_SUITE_P(Rows, TapEstimate, testing::ValuesIn(tapRows), NameField());

TEST(TapTempo, TapsAtOneInstantAreAFaultNotInfinity) {
    TapTempo taps;
    taps.tap(milliseconds(7));
    taps.tap(milliseconds(7));
    ASSERT_TRUE(taps.beatsPerMinute().has_value());
    EXPECT_EQ(taps.beatsPerMinute()->fault, ArithFault::DivisionByZero);
}

TEST(TapTempo, FollowsOnlyTheLastTaps) {
    // A player who settles from 500 ms to 480 ms is followed once the slower taps are gone.
    TapTempo taps;
    for (int i = 0, ms = 0; i < 100 + 64; ms += i++ < 100 ? 500 : 480) {
        taps.tap(milliseconds(ms));
    }
    EXPECT_EQ(formatNumber(taps.beatsPerMinute()->value), "125");
}

// Nine taps a little off the beat, at 120 BPM.
const std::vector<int> unevenTaps = {0, 512, 991, 1507, 2003, 2489, 3010, 3497, 4005};

struct SlipRow {
    const char* name;
    std::vector<int> milliseconds;
};

// unevenTaps with one slip each.
const SlipRow slipRows[] = {
    {"a double tap after a beat", {0, 512, 991, 1507, 1537, 2003, 2489, 3010, 3497, 4005}},
    {"a double tap before a beat", {0, 512, 991, 1467, 1507, 2003, 2489, 3010, 3497, 4005}},
    {"a skipped beat", {0, 512, 991, 1507, 2489, 3010, 3497, 4005}},
    {"two skipped beats", {0, 512, 991, 2489, 3010, 3497, 4005}},
};

class TapSlip : public testing::TestWithParam<SlipRow> {};

TEST_P(TapSlip, BarelyMovesTheEstimate) {
    TapTempo clean;
    for (const int ms : unevenTaps) {
        clean.tap(milliseconds(ms));
    }
    TapTempo slipped;
    for (const int ms : GetParam().milliseconds) {
        slipped.tap(milliseconds(ms));
    }
    EXPECT_NEAR(slipped.beatsPerMinute()->value, clean.beatsPerMinute()->value, 0.5);
}

INSTANTIATE_TEST_SUITE_P(Rows, TapSlip, testing::ValuesIn(slipRows), NameField());

// A standard normal deviate from splitmix64 and Box-Muller: the same on every platform and
// library, unlike std::normal_distribution.
double nextNormal(std::uint64_t& state) {
    const auto bits = [&state] {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return (z ^ (z >> 31)) >> 11;
    };
    const double u1 = (static_cast<double>(bits()) + 1.0) * 0x1p-53; // (0, 1]
    const double u2 = static_cast<double>(bits()) * 0x1p-53;
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

struct SpreadRow {
    double bpm;
    int taps;
    double spread; // the least-squares standard error for 30 ms of jitter per tap
    double meanTolerance;
};

std::ostream& operator<<(std::ostream& out, const SpreadRow& row) {
    return out << row.bpm << " BPM, " << row.taps << " taps";
}

// 60 / T^2 * 0.03 s / sqrt(n (n^2 - 1) / 12) for a beat of T seconds and n taps.
const SpreadRow spreadRows[] = {
    {120, 9, 0.93, 0.1}, {120, 17, 0.36, 0.1}, {120, 33, 0.13, 0.1},
    {180, 9, 2.09, 0.2}, {180, 17, 0.80, 0.2}, {180, 33, 0.30, 0.2},
};

class TapSpread : public testing::TestWithParam<SpreadRow> {};

TEST_P(TapSpread, MatchesLeastSquaresUnderJitter) {
    const SpreadRow& row = GetParam();
    constexpr int series = 1000;
    std::uint64_t state = 0x7A90A2004ULL + static_cast<std::uint64_t>(row.bpm);
    double sum = 0.0;
    double squares = 0.0;
    double reported = 0.0;
    for (int s = 0; s < series; ++s) {
        TapTempo taps;
        for (int i = 0; i < row.taps; ++i) {
            const double seconds = 10.0 + i * 60.0 / row.bpm + 0.03 * nextNormal(state);
            taps.tap(std::chrono::duration_cast<TapTempo::Time>(std::chrono::duration<double>(seconds)));
        }
        const double bpm = taps.beatsPerMinute()->value;
        sum += bpm;
        squares += bpm * bpm;
        reported += taps.uncertaintyBpm().value();
    }
    const double mean = sum / series;
    const double spread = std::sqrt((squares - sum * mean) / (series - 1));
    EXPECT_NEAR(mean, row.bpm, row.meanTolerance);
    EXPECT_NEAR(spread, row.spread, 0.1 * row.spread);
    // The reported error estimates the same spread (a little low for few taps), so it
    // shrinks as the taps add up.
    EXPECT_NEAR(reported / series, row.spread, 0.1 * row.spread);
}

INSTANTIATE_TEST_SUITE_P(Rows, TapSpread, testing::ValuesIn(spreadRows),
                         [](const testing::TestParamInfo<SpreadRow>& info) {
                             return "Bpm" + numberName(info.param.bpm) + "_Taps" +
                                    std::to_string(info.param.taps);
                         });

} // namespace
} // namespace tactora
