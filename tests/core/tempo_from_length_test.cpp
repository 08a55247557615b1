#include "core/number_format.h"
#include "core/number_parse.h"
#include "core/tempo.h"
#include "core/tempo_from_length.h"

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
    ArithFault fault;
    std::string texts; // tempo, rate and beat, formatNumber's
};

const LengthRow lengthRows[] = {
    {4, s, 0, 2, 4, LengthInput::Valid, ArithFault::None, "120 2 0.5"},
    {88200, LengthUnit::Samples, 44100, 1, 4, LengthInput::Valid, ArithFault::None, "120 2 0.5"},
    {7.5, s, 0, 4, 3, LengthInput::Valid, ArithFault::None, "96 1.6 0.625"},
    {1875, LengthUnit::Milliseconds, 0, 1, 3, LengthInput::Valid, ArithFault::None, "96 1.6 0.625"},
    {-2, s, 0, 1, 4, LengthInput::Length, ArithFault::None, ""},
    {nan, s, 0, 1, 4, LengthInput::Length, ArithFault::None, ""},
    {1000, LengthUnit::Samples, 44099, 1, 4, LengthInput::SampleRate, ArithFault::None, ""},
    {1000, LengthUnit::Samples, 192001, 1, 4, LengthInput::SampleRate, ArithFault::None, ""},
    {2, s, 0, 1025, 4, LengthInput::Bars, ArithFault::None, ""},
    {2, s, 0, 1, 0, LengthInput::BeatsPerBar, ArithFault::None, ""},
    {1e-307, s, 0, 1, 4, LengthInput::Valid, ArithFault::Overflow, ""},
};

class TempoFromLengthRows : public testing::TestWithParam<LengthRow> {};

TEST_P(TempoFromLengthRows, CountTheQuarterNoteBeatsInTheLength) {
    const LengthRow& row = GetParam();
    const LengthTempoOutcome outcome =
        tempoFromLength(row.length, row.unit, row.sampleRate, row.bars, row.beatsPerBar);
    ASSERT_EQ(outcome.badInput, row.badInput);
    ASSERT_EQ(outcome.fault, row.fault);
    std::string texts;
    const LengthTempo& t = outcome.tempo;
    for (double value : {t.bpm, t.rate, t.beatSeconds}) {
        texts += (texts.empty() ? "" : " ") + formatNumber(value);
    }
    EXPECT_EQ(outcome.ok() ? texts : "", row.texts);
}

INSTANTIATE_TEST_SUITE_P(Rows, TempoFromLengthRows, testing::ValuesIn(lengthRows));

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
        EXPECT_EQ(formatNumber(back.tempo.bpm), formatNumber(tempo)) << "bars " << bars;
    }
}

} // namespace tactora
