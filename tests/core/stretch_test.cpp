#include "core/stretch.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tactora {
namespace {

constexpr double largest = std::numeric_limits<double>::max();
constexpr double least = std::numeric_limits<double>::denorm_min();

std::string shown(const RoundedFigure& figure) {
    return figureText(figure).value_or("out");
}

struct StretchRow {
    double source;
    double target;
    double bars;
    // ratio, percent, bars length at the source and at the target tempo, semitones and cents
    // as the window shows them, "out" for out of range
    std::string texts;
};

const StretchRow stretchRows[] = {
    // 12 log2(1.05) is 0.8446719346967752923...; log2 of the double nearest 1.05 would end in 776.
    {120, 126, 1, "1.05 5 2 1.9047619047619 0.844671934696775 84.4671934696775"},
    {126, 120, 1,
     "0.952380952380952 -4.76190476190476 1.9047619047619 2 -0.844671934696775 -84.4671934696775"},
    {80, 160, 4, "2 100 12 6 12 1200"},
    {120, 120, 1, "1 0 2 2 0 0"},
    // A change of 2^-20: the ratio's double keeps too few of its digits for the percentage and pitch.
    {120, 120.00000095367431640625, 2,
     "1.00000000794729 7.94728597005208E-07 4 3.99999996821086 1.37586120143529E-07 1.37586120143529E-05"},
    // Tempos far apart: the speed leaves the double range, the pitch and lengths do not.
    {1e-300, 1e300, 1, "out out 2.4E+302 2.4E-298 23917.882283189 2391788.2283189"},
    {1e300, 1e-300, 1, "out -100 2.4E-298 2.4E+302 -23917.882283189 -2391788.2283189"},
    // Each figure just in and just out of the double range.
    {1, largest, 1, "1.79769313486231E+308 out 240 1.33504431510432E-306 12288 1228800"},
    {0.5, largest, 1, "out out 480 1.33504431510432E-306 12300 1230000"},
    {100, largest, 1,
     "1.79769313486232E+306 1.79769313486231E+308 2.4 1.33504431510432E-306 12208.2737257227 "
     "1220827.37257227"},
    {1, least, 1, "4.94065645841247E-324 -100 240 out -12888 -1288800"},
    {2, least, 1, "out -100 120 out -12900 -1290000"},
    {1.3351e-306, 120, 1,
     "8.98809077971688E+307 out 1.79761815594338E+308 2 12275.9992779148 1227599.92779148"},
    {1.335e-306, 120, 1, "8.98876404494382E+307 out out 2 12276.0005746707 1227600.05746707"},
};

class StretchRows : public testing::TestWithParam<StretchRow> {};

TEST_P(StretchRows, ShowTheSpeedLengthsAndPitch) {
    const StretchRow& row = GetParam();
    const StretchOutcome outcome = stretchTempo(row.source, row.target, row.bars);
    ASSERT_TRUE(outcome.ok());
    const Stretch& s = outcome.stretch;
    EXPECT_EQ(shown(s.ratio) + ' ' + shown(s.percent) + ' ' + shown(s.sourceLength) + ' ' +
                  shown(s.newLength) + ' ' + shown(s.semitones) + ' ' + shown(s.cents),
              row.texts);
}

INSTANTIATE_TEST_SUITE_P(Rows, StretchRows, testing::ValuesIn(stretchRows),
                         [](const testing::TestParamInfo<StretchRow>& info) {
                             return "Source" + numberName(info.param.source) + "_Target" +
                                    numberName(info.param.target);
                         });

struct ShiftRow {
    double source;
    double semitones;
    std::string target; // as the window shows it, "out" for out of range
};

const ShiftRow shiftRows[] = {
    // The pitch shown for a stretch, typed as the shift, gives its target back.
    {120, 0.844671934696775, "126"},
    {126, -0.844671934696775, "120"},
    {80, 12, "160"},
    {120, 1.37586120143529E-07, "120.000000953674"},
    // 2^(13000 / 12) is beyond the double range, and 2^(-13000 / 12) below it; the tempos not.
    {1e-300, 13000, "1.30565560057874E+26"},
    {1e300, -13000, "7.65898755810296E-27"},
    // A factor in range, a tempo out of it; neighbours just in and just out.
    {1e306, 120, "out"},
    {1e-300, -12000, "out"},
    {largest / 2, 12, "1.79769313486231E+308"},
    {largest / 2, 12.000001, "out"},
    {2 * least, -12, "4.94065645841247E-324"},
    {2 * least, -12.000001, "out"},
};

class ShiftRows : public testing::TestWithParam<ShiftRow> {};

TEST_P(ShiftRows, GiveTheTempoForTheShift) {
    const ShiftRow& row = GetParam();
    const ShiftOutcome outcome = shiftTempo(row.source, row.semitones);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(shown(outcome.targetTempo), row.target);
}

INSTANTIATE_TEST_SUITE_P(Rows, ShiftRows, testing::ValuesIn(shiftRows),
                         [](const testing::TestParamInfo<ShiftRow>& info) {
                             return "Source" + numberName(info.param.source) + "_Shift" +
                                    numberName(info.param.semitones);
                         });

TEST(Stretch, RefusesWhatItCannotUse) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(stretchTempo(0, 120, 2).badInput, StretchInput::Source);
    EXPECT_EQ(stretchTempo(120, -126, 2).badInput, StretchInput::Target);
    EXPECT_EQ(stretchTempo(120, 126, nan).badInput, StretchInput::Bars);
    EXPECT_EQ(shiftTempo(80, nan).badInput, StretchInput::Semitones);
}

} // namespace
} // namespace tactora
