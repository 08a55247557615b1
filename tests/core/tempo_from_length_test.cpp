#include "core/number_format.h"
#include "core/number_parse.h"
#include "core/tempo.h"
#include "core/tempo_from_length.h"
#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace tactora {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr LengthUnit s = LengthUnit::Seconds;

struct LengthRow {
    double length;
    LengthUnit unit;
    double sampleRate;
    double bars;
    double beatsPerBar;
    LengthInput badInput;
    std::string texts; // tempo, rate and beat as the window shows them, "out" for out of range
};

constexpr double largest = std::numeric_limits<double>::max();
constexpr double least = std::numeric_limits<double>::denorm_min();
const LengthRow lengthRows[] = {
    {4, s, 0, 2, 4, LengthInput::Valid, "120 2 0.5"},
    {88200, LengthUnit::Samples, 44100, 1, 4, LengthInput::Valid, "120 2 0.5"},
    {7.5, s, 0, 4, 3, LengthInput::Valid, "96 1.6 0.625"},
    {1875, LengthUnit::Milliseconds, 0, 1, 3, LengthInput::Valid, "96 1.6 0.625"},
    {-2, s, 0, 1, 4, LengthInput::Length, ""},
    {nan, s, 0, 1, 4, LengthInput::Length, ""},
    {1000, LengthUnit::Samples, 44099, 1, 4, LengthInput::SampleRate, ""},
    {1000, LengthUnit::Samples, 192001, 1, 4, LengthInput::SampleRate, ""},
    {2, s, 0, 1025, 4, LengthInput::Bars, ""},
    {2, s, 0, 1, 0, LengthInput::BeatsPerBar, ""},
    // Rounded once: a double a step before gave 4.54545454545454 Hz, and 654.545454545455 BPM
    // and 0.091666666666667 s (15 places).
    {1.1, s, 0, 1, 5, LengthInput::Valid, "272.727272727273 4.54545454545455 0.22"},
    {1.1, s, 0, 3, 4, LengthInput::Valid, "654.545454545454 10.9090909090909 0.0916666666666667"},
    // Each figure in or out of the double range on its own; neighbours just in and just out.
    {1e-306, s, 0, 4, 3, LengthInput::Valid, "out 1.2E+307 8.33333333333333E-308"},
    {1e-307, s, 0, 1, 4, LengthInput::Valid, "out 4E+307 2.5E-308"},
    {3.3377e-307, s, 0, 1, 1, LengthInput::Valid, "1.79764508493873E+308 2.99607514156455E+306 3.3377E-307"},
    {3.3376e-307, s, 0, 1, 1, LengthInput::Valid, "out 2.99616490891659E+306 3.3376E-307"},
    {5.5627e-309, s, 0, 1, 1, LengthInput::Valid, "out 1.79768817300951E+308 5.5627E-309"},
    {5.5626e-309, s, 0, 1, 1, LengthInput::Valid, "out out 5.5626E-309"},
    {1e-300, s, 0, 1, 1, LengthInput::Valid, "6E+301 1E+300 1E-300"},
    {least, s, 0, 1, 1, LengthInput::Valid, "out out 4.94065645841247E-324"},
    {2 * least, s, 0, 1, 2.0000000000000004, LengthInput::Valid, "out out out"}, // the beat a hair below
    {largest, s, 0, 1, 1, LengthInput::Valid,
     "3.3376107877608E-307 5.562684646268E-309 1.79769313486231E+308"},
};

// For the rows' names, in the order of LengthUnit.
constexpr const char* unitNames[] = {"_Seconds", "_Ms", "_Samples"};

class TempoFromLengthRows : public testing::TestWithParam<LengthRow> {};

TEST_P(TempoFromLengthRows, CountTheQuarterNoteBeatsInTheLength) {
    const LengthRow& row = GetParam();
    const LengthTempoOutcome outcome =
        tempoFromLength(row.length, row.unit, row.sampleRate, row.bars, row.beatsPerBar);
    ASSERT_EQ(outcome.badInput, row.badInput);
    std::string texts;
    const LengthTempo& t = outcome.tempo;
    for (const RoundedFigure* figure : {&t.bpm, &t.rate, &t.beatSeconds}) {
        texts += (texts.empty() ? "" : " ") + figureText(*figure).value_or("out");
    }
    EXPECT_EQ(outcome.ok() ? texts : "", row.texts);
}

INSTANTIATE_TEST_SUITE_P(Rows, TempoFromLengthRows, testing::ValuesIn(lengthRows),
                         [](const testing::TestParamInfo<LengthRow>& info) {
                             const LengthRow& row = info.param;
                             return "Length" + numberName(row.length) +
                                    unitNames[static_cast<int>(row.unit)] +
                                    (row.unit == LengthUnit::Samples ? "_Rate" + numberName(row.sampleRate)
                                                                     : "") +
                                    "_Bars" + numberName(row.bars) + "_Beats" + numberName(row.beatsPerBar);
                         });

} // namespace
std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// The two directions undo each other: a typed tempo, the main window's bars length for it
// (before rounding: the 15 digits shown are too few to single out every tempo's 15), and this
// window's tempo from that length show the same text. Four beats to the bar, where the main
// window's bar and the counted one agree; tempos log-uniform from 2^-20 to 2^32 BPM.
TEST(TempoFromLength, GivesBackTheTypedTempoFromTheMainWindowsBars) {
    std::uint64_t state = 2004;
    for (int i = 0; i < 1000; ++i) {
        const double unit = static_cast<double>(splitmix64(state) >> 11) / 9007199254740992.0;
        const double tempo = *parseNumber(formatNumber(std::exp2(-20.0 + unit * 52.0)));
        const double bars = static_cast<double>(1 + splitmix64(state) % 1024);
        const TempoOutcome forward = CalcFromBpm(tempo, bars, 4.0, 1.0);
        ASSERT_TRUE(forward.ok());
        const LengthTempoOutcome back = tempoFromLength(forward.results.barsSeconds, s, 0, bars, 4.0);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(figureText(back.tempo.bpm), formatNumber(tempo)) << "bars " << bars;
    }
}

} // namespace tactora
