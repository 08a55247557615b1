#include "core/number_format.h"
#include "core/tap_tempo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tactora {
namespace {

struct TapRow {
    const char* name;
    std::vector<int> milliseconds; // the moments of the taps
    std::string beatsPerMinute;    // as the display rule writes it; empty for no tempo yet
};

std::ostream& operator<<(std::ostream& out, const TapRow& row) {
    return out << row.name;
}

const TapRow tapRows[] = {
    {"one tap is no tempo", {0}, ""},
    {"two taps", {0, 500}, "120"},
    {"mean of uneven taps", {0, 400, 1000, 1500}, "120"},
    // Nine taps: the first, a second before the rest, no longer counts.
    {"only the last eight count", {0, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500}, "120"},
    {"a gap of exactly two seconds continues", {0, 2000, 2500}, "48"},
    {"a longer gap starts over", {0, 500, 2501, 3001}, "120"},
    {"starting over needs two taps again", {0, 500, 2501}, ""},
    {"a clock going back starts over", {1000, 500, 1000}, "120"},
    {"slow taps", {0, 1999, 3998}, "30.0150075037519"},
};

class TapEstimate : public testing::TestWithParam<TapRow> {};

TEST_P(TapEstimate, IsTheMeanIntervalOfTheCurrentSeries) {
    const TapRow& row = GetParam();
    TapTempo taps;
    for (const int ms : row.milliseconds) {
        taps.tap(std::chrono::milliseconds(ms));
    }
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

TEST(TapTempo, TapsAtOneInstantAreAFaultNotInfinity) {
    TapTempo taps;
    taps.tap(std::chrono::milliseconds(7));
    taps.tap(std::chrono::milliseconds(7));
    ASSERT_TRUE(taps.beatsPerMinute().has_value());
    EXPECT_EQ(taps.beatsPerMinute()->fault, ArithFault::DivisionByZero);
}

} // namespace
} // namespace tactora
