#include "core/number_format.h"
#include "core/tap_tempo.h"

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
};

std::ostream& operator<<(std::ostream& out, const TapRow& row) {
    return out << row.name;
}

const TapRow tapRows[] = {
    {"one tap is no tempo", {0}, "", 1, 0},
    {"two taps", {0, 500}, "120", 2, 0},
    // The least-squares slope, 0.505 s, not the mean interval, 0.5 s.
    {"uneven taps", {0, 450, 1000, 1500}, "118.811881188119", 4, 0},
    {"a double tap is dropped", {0, 500, 1000, 1040, 1500}, "120", 4, 1},
    {"a skipped beat keeps the tempo", {0, 500, 1000, 2000, 2500}, "120", 5, 0},
    {"two skipped beats keep it too", {0, 500, 1000, 2500, 3000}, "120", 5, 0},
    {"a pause of four beats starts over", {0, 300, 600, 1800, 2150}, "171.428571428571", 2, 0},
    {"a gap of exactly two seconds continues", {0, 2000, 4000}, "30", 3, 0},
    {"a longer gap starts over", {0, 500, 2501, 3001}, "120", 2, 0},
    {"starting over needs two taps again", {0, 500, 2501}, "", 1, 0},
    {"a clock going back starts over", {1000, 500, 1000}, "120", 2, 0},
    {"slow taps", {0, 1999, 3998}, "30.0150075037519", 3, 0},
};

class TapEstimate : public testing::TestWithParam<TapRow> {};

TEST_P(TapEstimate, FollowsTheCountedTapsOfTheCurrentSeries) {
    const TapRow& row = GetParam();
    TapTempo taps;
    for (const int ms : row.milliseconds) {
        taps.tap(milliseconds(ms));
    }
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

INSTANTIATE_TEST_SUITE_P(Rows, TapEstimate, testing::ValuesIn(tapRows));

TEST(TapTempo, TellsWhatEachTapDid) {
    TapTempo taps;
    using enum TapTempo::Outcome;
    const std::vector<TapTempo::Outcome> outcomes = {
        taps.tap(milliseconds(0)),    taps.tap(milliseconds(500)),  taps.tap(milliseconds(530)),
        taps.tap(milliseconds(1000)), taps.tap(milliseconds(3500)), taps.tap(milliseconds(4000))};
    EXPECT_EQ(outcomes, (std::vector{Counted, Counted, DoubleTapIgnored, Counted, StartedOver, Counted}));
}

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
    int ms = 0;
    for (int i = 0; i < 100; ++i, ms += 500) {
        taps.tap(milliseconds(ms));
    }
    for (int i = 0; i < 64; ++i, ms += 480) {
        taps.tap(milliseconds(ms));
    }
    EXPECT_EQ(formatNumber(taps.beatsPerMinute()->value), "125");
}

// Nine taps a little off the beat, at 120 BPM.
const std::vector<int> unevenTaps = {0, 512, 991, 1507, 2003, 2489, 3010, 3497, 4005};

struct SlipRow {
    const char* name;
    std::vector<int> milliseconds; // unevenTaps with one slip
};

std::ostream& operator<<(std::ostream& out, const SlipRow& row) {
    return out << row.name;
}

const SlipRow slipRows[] = {
    {"double tap after a beat", {0, 512, 991, 1507, 1537, 2003, 2489, 3010, 3497, 4005}},
    {"double tap before a beat", {0, 512, 991, 1467, 1507, 2003, 2489, 3010, 3497, 4005}},
    {"skipped beat", {0, 512, 991, 1507, 2489, 3010, 3497, 4005}},
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

INSTANTIATE_TEST_SUITE_P(Rows, TapSlip, testing::ValuesIn(slipRows));

TEST(TapTempo, UncertaintyFromThreeTapsShrinksWithMore) {
    TapTempo taps;
    std::vector<std::optional<double>> uncertainty;
    for (const int ms : unevenTaps) {
        taps.tap(milliseconds(ms));
        uncertainty.push_back(taps.uncertaintyBpm());
    }
    EXPECT_FALSE(uncertainty[1].has_value());
    ASSERT_TRUE(uncertainty[2].has_value());
    EXPECT_GT(*uncertainty[2], 0.0);
    EXPECT_LT(*uncertainty[8], *uncertainty[2] / 2.0);
}

// Deterministic on every platform and library, unlike std::normal_distribution.
class Jitter {
public:
    explicit Jitter(std::uint64_t seed) : m_state(seed) {}

    // A standard normal deviate (Box-Muller, the cosine half).
    double next() {
        const double u1 = (static_cast<double>(nextBits() >> 11) + 1.0) * 0x1p-53; // (0, 1]
        const double u2 = static_cast<double>(nextBits() >> 11) * 0x1p-53;
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }

private:
    std::uint64_t nextBits() { // splitmix64
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};

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
    Jitter jitter(0x7A90A2004ULL + static_cast<std::uint64_t>(row.bpm));
    double sum = 0.0;
    double squares = 0.0;
    double reported = 0.0;
    for (int s = 0; s < series; ++s) {
        TapTempo taps;
        for (int i = 0; i < row.taps; ++i) {
            const double seconds = 10.0 + i * 60.0 / row.bpm + 0.03 * jitter.next();
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
    // The reported error is an estimate of the same spread, a little low for few taps.
    EXPECT_NEAR(reported / series, row.spread, 0.1 * row.spread);
}

INSTANTIATE_TEST_SUITE_P(Rows, TapSpread, testing::ValuesIn(spreadRows));

} // namespace
} // namespace tactora
