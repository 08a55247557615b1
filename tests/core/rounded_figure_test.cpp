#include "core/number_format.h"
#include "core/number_parse.h"
#include "core/rounded_figure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tactora {
namespace {

// A double's figure shows as formatNumber shows the double, separator and all, and its value
// is what that text reads back as (but for the largest doubles, whose text is cut), across
// the exponents, subnormals included.
TEST(RoundedFigure, OfADoubleIsWrittenAndReadAsFormatNumberWritesIt) {
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        for (const double mantissa : {1.0, -1.2345678901234567, 1.75}) {
            const double value = std::ldexp(mantissa, exponent);
            const RoundedFigure figure = RoundedFigure::fromDouble(value);
            ASSERT_EQ(figureText(figure, ","), formatNumber(value, ",")) << value;
            ASSERT_EQ(figure.value(), parseNumber(formatNumber(value))) << value;
        }
    }
}

// Rounded up, the largest double's digits lie beyond it: cut in the text, the largest double
// as a value. Where doubles thin out, a figure keeps its own digits; its value is the nearest.
TEST(RoundedFigure, AtTheEdgesOfTheDoubles) {
    constexpr double largest = std::numeric_limits<double>::max();
    const RoundedFigure top = RoundedFigure::fromDouble(largest);
    EXPECT_EQ(figureText(top), "1.79769313486231E+308");
    EXPECT_EQ(top.value(), largest);

    ExactFraction third(1, 3);
    third.multiply(1e-320);
    const RoundedFigure subnormal = RoundedFigure::fromExact(third);
    EXPECT_EQ(figureText(subnormal), "3.33329622394228E-321");
    EXPECT_EQ(subnormal.value(), 675 * std::numeric_limits<double>::denorm_min());
}

} // namespace
} // namespace tactora
