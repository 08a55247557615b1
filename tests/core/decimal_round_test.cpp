#include "core/decimal_round.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace tactora {
namespace {

struct RoundRow {
    double value;
    int places;
    double expected;
};

std::ostream& operator<<(std::ostream& out, const RoundRow& row) {
    return out << row.value << " to " << row.places;
}

const RoundRow roundToPlacesRows[] = {
    RoundRow{0.125, 2, 0.12}, // exact tie, 2 is even
    RoundRow{0.375, 2, 0.38}, // exact tie, 7 is odd
    RoundRow{-0.125, 2, -0.12},
    RoundRow{2.5, 0, 2.0},
    RoundRow{3.5, 0, 4.0},
    RoundRow{9.5, 0, 10.0},
    RoundRow{0.15, 1, 0.1}, // the double is just below 0.15
    RoundRow{0.35, 1, 0.3}, // the double is just below 0.35
    RoundRow{1.66666666666667, 3, 1.667},
    RoundRow{1.66666666666667, 0, 2.0},
    RoundRow{99.999, 2, 100.0},
    RoundRow{0.0000152587890625, 15, 0.000015258789062},
    RoundRow{1.6666666666666667, 15, 1.666666666666667},
    RoundRow{4e-16, 15, 0.0},
    RoundRow{6e-16, 15, 1e-15},
    RoundRow{123456789.125, 400, 123456789.125},
    RoundRow{1e300, 2, 1e300},
    RoundRow{1e16, 0, 1e16}, // beyond 2^53 a double has no fraction digits to round
    RoundRow{1e-100, 53, 0.0},
    RoundRow{5e-324, 1074, 5e-324},
    RoundRow{5e-324, 2000, 5e-324},
};

TEST(RoundToPlaces, RoundsTheExactValueHalvesToEven) {
    for (const RoundRow& row : roundToPlacesRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        const std::optional<double> rounded = roundToPlaces(row.value, row.places);
        EXPECT_EQ(rounded, std::optional<double>(row.expected));
    }
}

TEST(RoundToPlaces, RefusesNegativePlacesAndNonFiniteValues) {
    EXPECT_FALSE(roundToPlaces(1.5, -1).has_value());
    EXPECT_FALSE(roundToPlaces(std::numeric_limits<double>::infinity(), 2).has_value());
    EXPECT_FALSE(roundToPlaces(std::numeric_limits<double>::quiet_NaN(), 2).has_value());
}

TEST(Round15, LeavesValuesWithoutDigitsBeyondTheFifteenthPlaceUnchanged) {
    for (const double value : {0.6, 2.4, 0.296296296296296, 1714.28571428571, 18764998447377.1, 1e20}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(round15(value), value);
    }
}

TEST(Round15, PassesNonFiniteValuesThrough) {
    EXPECT_EQ(round15(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(round15(std::numeric_limits<double>::quiet_NaN())));
}

} // namespace
} // namespace tactora
