#include "core/number_format.h"
#include "core/number_parse.h"
#include "core/rounded_figure.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace tactora {
namespace {

constexpr double largest = std::numeric_limits<double>::max();
constexpr double least = std::numeric_limits<double>::denorm_min();

// A double at its exact value times numerator / denominator.
ExactFraction scaled(double value, std::uint64_t numerator, std::uint64_t denominator) {
    ExactFraction fraction(numerator, denominator);
    fraction.multiply(value);
    return fraction;
}

constexpr std::uint64_t twoTo60 = std::uint64_t{1} << 60;

struct FigureRow {
    const char* name;
    RoundedFigure figure;
    std::optional<std::string> text;
    std::optional<double> value;
};

const FigureRow figureRows[] = {
    {"Zero", RoundedFigure::zero(), "0", 0.0},
    {"Negative", RoundedFigure::fromExact(ExactFraction(100, 21), true), "-4.76190476190476",
     -4.76190476190476},
    // Rounded up, the largest double's digits lie beyond it: cut in the text, the largest
    // double in value.
    {"Largest", RoundedFigure::fromDouble(largest), "1.79769313486231E+308", largest},
    {"AboveLargest", RoundedFigure::fromExact(scaled(largest, twoTo60 + 1, twoTo60)), std::nullopt,
     std::nullopt},
    {"Least", RoundedFigure::fromDouble(least), "4.94065645841247E-324", least},
    {"BelowLeast", RoundedFigure::fromExact(scaled(least, twoTo60 - 1, twoTo60)), std::nullopt, std::nullopt},
    // Where doubles thin out, the figure keeps its own digits; its value is the double nearest.
    {"SubnormalKeepsItsDigits", RoundedFigure::fromExact(scaled(1e-320, 1, 3)), "3.33329622394228E-321",
     675 * least},
    {"Infinite", RoundedFigure::fromDouble(std::numeric_limits<double>::infinity()), std::nullopt,
     std::nullopt},
};

class Figures : public testing::TestWithParam<FigureRow> {};

TEST_P(Figures, ShowTheirDigitsOrAreOutOfRange) {
    const FigureRow& row = GetParam();
    EXPECT_EQ(row.figure.fits(), row.text.has_value());
    EXPECT_EQ(figureText(row.figure), row.text);
    EXPECT_EQ(row.figure.value(), row.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, Figures, testing::ValuesIn(figureRows), NameField());

// A double's figure shows as formatNumber shows the double, separator and all, and its value
// is what that text reads back as.
TEST(RoundedFigure, OfADoubleIsWrittenAndReadAsFormatNumberWritesIt) {
    std::uint64_t state = 2004;
    for (int i = 0; i < 2000; ++i) {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        double value = 0.0;
        static_assert(sizeof value == sizeof z);
        std::memcpy(&value, &z, sizeof value);
        if (!std::isfinite(value)) {
            continue;
        }
        const RoundedFigure figure = RoundedFigure::fromDouble(value);
        ASSERT_EQ(figureText(figure, ","), formatNumber(value, ",")) << value;
        EXPECT_EQ(figure.value(), parseNumber(formatNumber(value))) << value;
    }
}

} // namespace
} // namespace tactora
