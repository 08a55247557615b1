#include "core/number_format.h"
#include "core/tempo_from_length.h"

#include <gtest/gtest.h>

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
} // namespace tactora
