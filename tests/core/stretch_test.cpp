#include "core/number_format.h"
#include "core/stretch.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tactora {
namespace {

struct StretchRow {
    double source;
    double target;
    double length;
    std::string texts; // ratio, percent, new length, semitones and cents as formatNumber writes them
};

const StretchRow stretchRows[] = {
    // 12 log2(1.05) is 0.8446719346967752923...; log2 of the double nearest 1.05 would end in 776.
    {120, 126, 2, "1.05 5 1.9047619047619 0.844671934696775 84.4671934696775"},
    {126, 120, 2, "0.952380952380952 -4.76190476190476 2.1 -0.844671934696775 -84.4671934696775"},
    {80, 160, 2000, "2 100 1000 12 1200"},
    // A change of 2^-20: the ratio's double keeps too few of its digits for the percentage and pitch.
    {120, 120.00000095367431640625, 4,
     "1.00000000794729 7.94728597005208E-07 3.99999996821086 1.37586120143529E-07 1.37586120143529E-05"},
};

class StretchRows : public testing::TestWithParam<StretchRow> {};

TEST_P(StretchRows, ShowTheSpeedLengthAndPitchBothWays) {
    const StretchRow& row = GetParam();
    const StretchOutcome outcome = stretchTempo(row.source, row.target, row.length);
    ASSERT_TRUE(outcome.ok());
    const Stretch& s = outcome.stretch;
    EXPECT_EQ(formatNumber(s.ratio) + ' ' + formatNumber(s.percent) + ' ' + formatNumber(s.newLength) + ' ' +
                  formatNumber(s.semitones) + ' ' + formatNumber(s.cents),
              row.texts);
    // Shifting the source by those semitones, fractions kept, comes back to the target.
    const ShiftOutcome shifted = shiftTempo(row.source, s.semitones);
    ASSERT_TRUE(shifted.ok());
    EXPECT_EQ(formatNumber(shifted.targetTempo), formatNumber(row.target));
}

INSTANTIATE_TEST_SUITE_P(Rows, StretchRows, testing::ValuesIn(stretchRows));

TEST(Stretch, RefusesWhatItCannotUseAndFaultsOutOfRange) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(stretchTempo(0, 120, 2).badInput, StretchInput::Source);
    EXPECT_EQ(stretchTempo(120, 126, nan).badInput, StretchInput::Length);
    EXPECT_EQ(stretchTempo(1e-300, 1e300, 2).fault, ArithFault::Overflow);
    EXPECT_EQ(stretchTempo(1e300, 1e-300, 2).fault, ArithFault::Overflow);
    EXPECT_EQ(shiftTempo(80, nan).badInput, StretchInput::Semitones);
    EXPECT_EQ(shiftTempo(1e306, 120).fault, ArithFault::Overflow);
    EXPECT_EQ(shiftTempo(1e-300, -12000).fault, ArithFault::Overflow);
}

} // namespace
} // namespace tactora
