#include "core/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace tactora {
namespace {

struct ParseRow {
    std::string text;
    std::string separator;
    std::optional<double> expected; // nullopt: not a number
};

std::ostream& operator<<(std::ostream& out, const ParseRow& row) {
    return out << '"' << row.text << "\" with \"" << row.separator << '"';
}

// "\xC2\xB7" is a middle dot, standing for a separator that takes more than one byte.
const ParseRow parseNumberRows[] = {
    ParseRow{"120", ".", 120.0},
    ParseRow{"1.5", ".", 1.5},
    ParseRow{"  1.5\t", ".", 1.5},
    ParseRow{"+3", ".", 3.0},
    ParseRow{"-2", ".", -2.0},
    ParseRow{"5.", ".", 5.0},
    ParseRow{".5", ".", 0.5},
    ParseRow{"1E-05", ".", 1e-05},
    ParseRow{"2.4e+302", ".", 2.4e302},
    ParseRow{"12e-1", ".", 1.2},
    ParseRow{"4294967296", ".", 4294967296.0},
    ParseRow{"1,5", ",", 1.5},
    ParseRow{"-0,25E2", ",", -25.0},
    ParseRow{"1\xC2\xB7"
             "5",
             "\xC2\xB7", 1.5},
    ParseRow{"1.5", ",", std::nullopt},
    ParseRow{"1,5", ".", std::nullopt},
    ParseRow{"1 000", ".", std::nullopt},
    ParseRow{"1,000.5", ".", std::nullopt},
    ParseRow{"1.2.3", ".", std::nullopt},
    ParseRow{"", ".", std::nullopt},
    ParseRow{"   ", ".", std::nullopt},
    ParseRow{".", ".", std::nullopt},
    ParseRow{"-", ".", std::nullopt},
    ParseRow{"- 3", ".", std::nullopt},
    ParseRow{"1e", ".", std::nullopt},
    ParseRow{"1e+", ".", std::nullopt},
    ParseRow{"e5", ".", std::nullopt},
    ParseRow{"abc", ".", std::nullopt},
    ParseRow{"0x10", ".", std::nullopt},
    ParseRow{"$5", ".", std::nullopt},
    ParseRow{"inf", ".", std::nullopt},
    ParseRow{"nan", ".", std::nullopt},
    ParseRow{"1E309", ".", std::nullopt},
    ParseRow{"-1E309", ".", std::nullopt},
    // Too small for a double reads as a zero of the typed sign; too large is refused.
    ParseRow{"-1E-400", ".", -0.0},
    ParseRow{"0." + std::string(400, '0') + "1", ".", 0.0},
    ParseRow{"1" + std::string(400, '0'), ".", std::nullopt},
};

TEST(ParseNumber, AcceptsOnlyPlainDecimalNumbersWithTheGivenSeparator) {
    for (const ParseRow& row : parseNumberRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        const std::optional<double> parsed = parseNumber(row.text, row.separator);
        EXPECT_EQ(parsed, row.expected);
        if (parsed && row.expected) {
            EXPECT_EQ(std::signbit(*parsed), std::signbit(*row.expected));
        }
    }
}

TEST(ParseNumber, ValueTooSmallForADoubleIsZeroNotARejection) {
    const std::optional<double> tiny = parseNumber("1E-400");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 0.0);

    const std::optional<double> negativeTiny = parseNumber("-1E-400");
    ASSERT_TRUE(negativeTiny.has_value());
    EXPECT_TRUE(std::signbit(*negativeTiny));

    const std::optional<double> subnormal = parseNumber("5E-324");
    ASSERT_TRUE(subnormal.has_value());
    EXPECT_GT(*subnormal, 0.0);
}

TEST(ParseNumber, HugeExponentOnZeroIsStillZero) {
    EXPECT_EQ(parseNumber("0E99999"), std::optional<double>(0.0));
    EXPECT_EQ(parseNumber("0.000001E-99999999999999999999"), std::optional<double>(0.0));
    EXPECT_FALSE(parseNumber("1E99999999999999999999").has_value());
}

} // namespace
} // namespace tactora
