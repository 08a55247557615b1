#include "core/number_format.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tactora {
namespace {

struct FormatRow {
    double value;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const FormatRow& row) {
    return out << row.expected;
}

const FormatRow formatNumberRows[] = {
    FormatRow{2.0, "2"},
    FormatRow{0.5, "0.5"},
    FormatRow{2.4, "2.4"},
    FormatRow{2400.0, "2400"},
    FormatRow{1.6666666666666667, "1.66666666666667"},
    FormatRow{0.0001, "0.0001"},
    FormatRow{0.00001, "1E-05"},
    FormatRow{123456789012345.0, "123456789012345"},
    FormatRow{1234567890123456.0, "1.23456789012346E+15"},
    FormatRow{5.3e-14, "5.3E-14"},
    FormatRow{2.4e302, "2.4E+302"},
    FormatRow{5.7220458984e-05, "5.7220458984E-05"},
    FormatRow{1e100, "1E+100"},
    FormatRow{1e-10, "1E-10"},
    FormatRow{1e-100, "1E-100"},
    FormatRow{-4.8, "-4.8"},
    FormatRow{-0.00001, "-1E-05"},
    FormatRow{0.0, "0"},
    FormatRow{-0.0, "0"},
    // Rounding to 15 digits crosses a power of ten: the form follows the rounded exponent.
    FormatRow{9.999999999999999e14, "1E+15"},
    FormatRow{99999.99999999999, "100000"},
    FormatRow{9.99999999999999999e-5, "0.0001"},
    // Rounded up, the largest doubles would show a number beyond the double range.
    FormatRow{std::numeric_limits<double>::max(), "1.79769313486231E+308"},
    FormatRow{-std::numeric_limits<double>::max(), "-1.79769313486231E+308"},
    FormatRow{1.797693134862314e308, "1.79769313486231E+308"},
    FormatRow{1.7976931348623157e307, "1.79769313486232E+307"},
};

TEST(FormatNumber, ShowsAtMostFifteenSignificantDigits) {
    for (const FormatRow& row : formatNumberRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        EXPECT_EQ(formatNumber(row.value), row.expected);
    }
}

TEST(FormatNumber, WritesTheGivenDecimalSeparator) {
    EXPECT_EQ(formatNumber(1.5, ","), "1,5");
    EXPECT_EQ(formatNumber(5.3e-14, ","), "5,3E-14");
    EXPECT_EQ(formatNumber(0.0001, ","), "0,0001");
    EXPECT_EQ(formatNumber(1.5, "\xC2\xB7"), "1\xC2\xB7"
                                             "5");
    EXPECT_EQ(formatNumber(2.0, ","), "2");
}

TEST(FormatNumber, NonFiniteValuesGetADefinedText) {
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN()), "nan");
}

} // namespace
} // namespace tactora
