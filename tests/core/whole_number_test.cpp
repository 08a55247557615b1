#include "core/whole_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace tactora {
namespace {

struct WholeRow {
    double value;
    std::optional<std::int32_t> expected;
};

std::ostream& operator<<(std::ostream& out, const WholeRow& row) {
    return out << row.value;
}

constexpr double infinity = std::numeric_limits<double>::infinity();

const WholeRow toWholeRows[] = {
    WholeRow{0.5, 0},
    WholeRow{1.5, 2},
    WholeRow{2.5, 2},
    WholeRow{3.5, 4},
    WholeRow{-0.5, 0},
    WholeRow{-1.5, -2},
    WholeRow{-2.5, -2},
    WholeRow{0.4, 0},
    WholeRow{0.6, 1},
    WholeRow{7.49999999999999911182, 7},
    WholeRow{-7.6, -8},
    WholeRow{2147483647.0, 2147483647},
    WholeRow{2147483647.4, 2147483647},
    WholeRow{2147483647.5, std::nullopt},
    WholeRow{-2147483648.0, std::numeric_limits<std::int32_t>::min()},
    WholeRow{-2147483648.5, std::numeric_limits<std::int32_t>::min()},
    WholeRow{-2147483648.6, std::nullopt},
    WholeRow{3000000000.0, std::nullopt},
    WholeRow{1e300, std::nullopt},
    WholeRow{infinity, std::nullopt},
    WholeRow{-infinity, std::nullopt},
    WholeRow{std::numeric_limits<double>::quiet_NaN(), std::nullopt},
};

TEST(ToWhole, RoundsHalvesToEvenWithinThirtyTwoBits) {
    for (const WholeRow& row : toWholeRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        EXPECT_EQ(toWhole(row.value), row.expected);
    }
}

} // namespace
} // namespace tactora
