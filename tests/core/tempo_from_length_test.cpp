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

struct LengthRow {
    double length;
    LengthUnit unit;
    double sampleRate;
    double bars;
    double beatsPerBar;
    // As formatNumber writes them: entry tempo, entry rate, entry beat, counted tempo, rate, beat.
    std::string texts[6];
};

const LengthRow lengthRows[] = {
    {4.0, LengthUnit::Seconds, 0, 2, 4, {"120", "4", "0.25", "120", "2", "0.5"}},
    {88200, LengthUnit::Samples, 44100, 1, 4, {"120", "2", "0.5", "120", "2", "0.5"}},
    // Three beats to the bar: the main window's bar is still four quarter notes long.
    {7.5, LengthUnit::Seconds, 0, 4, 3, {"128", "6.4", "0.15625", "96", "1.6", "0.625"}},
    {1875, LengthUnit::Milliseconds, 0, 1, 3, {"128", "1.6", "0.625", "96", "1.6", "0.625"}},
    {48000,
     LengthUnit::Samples,
     192000,
     3,
     5,
     {"2880", "180", "0.005555555555556", "3600", "60", "0.016666666666667"}},
};

std::ostream& operator<<(std::ostream& out, const LengthRow& row) {
    return out << row.length << " unit " << static_cast<int>(row.unit) << ' ' << row.bars << ' '
               << row.beatsPerBar;
}

class TempoFromLengthRows : public testing::TestWithParam<LengthRow> {};

TEST_P(TempoFromLengthRows, UndoTheMainWindowAndCountTheBeats) {
    const LengthRow& row = GetParam();
    const LengthTempoOutcome outcome =
        tempoFromLength(row.length, row.unit, row.sampleRate, row.bars, row.beatsPerBar);
    ASSERT_TRUE(outcome.ok());
    const LengthTempo& t = outcome.tempo;
    const double values[6] = {t.entryBpm,   t.entryRate,   t.entryBeatSeconds,
                              t.countedBpm, t.countedRate, t.countedBeatSeconds};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(formatNumber(values[i]), row.texts[i]) << "figure " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TempoFromLengthRows, testing::ValuesIn(lengthRows));

struct RefusalRow {
    double length;
    LengthUnit unit;
    double sampleRate;
    double bars;
    double beatsPerBar;
    LengthInput badInput;
    ArithFault fault;
};

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

const RefusalRow refusalRows[] = {
    {0, LengthUnit::Seconds, 0, 1, 4, LengthInput::Length, ArithFault::None},
    {-2, LengthUnit::Seconds, 0, 1, 4, LengthInput::Length, ArithFault::None},
    {nan, LengthUnit::Seconds, 0, 1, 4, LengthInput::Length, ArithFault::None},
    {infinity, LengthUnit::Milliseconds, 0, 1, 4, LengthInput::Length, ArithFault::None},
    {1000, LengthUnit::Samples, 44099, 1, 4, LengthInput::SampleRate, ArithFault::None},
    {1000, LengthUnit::Samples, 192001, 1, 4, LengthInput::SampleRate, ArithFault::None},
    {2, LengthUnit::Seconds, 0, 1025, 4, LengthInput::Bars, ArithFault::None},
    {2, LengthUnit::Seconds, 0, 1, 0, LengthInput::BeatsPerBar, ArithFault::None},
    {1e-307, LengthUnit::Seconds, 0, 1, 4, LengthInput::Valid, ArithFault::Overflow},
};

std::ostream& operator<<(std::ostream& out, const RefusalRow& row) {
    return out << row.length << " at " << row.sampleRate << ' ' << row.bars << ' ' << row.beatsPerBar;
}

class TempoFromLengthRefusals : public testing::TestWithParam<RefusalRow> {};

TEST_P(TempoFromLengthRefusals, NameTheInputOrTheFault) {
    const RefusalRow& row = GetParam();
    const LengthTempoOutcome outcome =
        tempoFromLength(row.length, row.unit, row.sampleRate, row.bars, row.beatsPerBar);
    EXPECT_EQ(outcome.badInput, row.badInput);
    EXPECT_EQ(outcome.fault, row.fault);
}

INSTANTIATE_TEST_SUITE_P(Rows, TempoFromLengthRefusals, testing::ValuesIn(refusalRows));

TEST(TempoFromLength, TellsWhenTheTempoEntryWouldRefuseIt) {
    // A hair above 2^32 beats per minute that its 15 digits write as 2^32 itself; 2E-4 seconds
    // is 20,000 cycles per second.
    const LengthTempo limit =
        tempoFromLength(240.0 / 4294967296.0 * (1.0 - 1e-15), LengthUnit::Seconds, 0, 1, 4).tempo;
    ASSERT_GT(limit.entryBpm, 4294967296.0);
    const LengthTempo beyond = tempoFromLength(5.5e-8, LengthUnit::Seconds, 0, 1, 4).tempo;
    const LengthTempo fastRate = tempoFromLength(2e-4, LengthUnit::Seconds, 0, 1, 4).tempo;
    const LengthTempo tooFastRate = tempoFromLength(1.9e-4, LengthUnit::Seconds, 0, 1, 4).tempo;
    EXPECT_TRUE(limit.entryBpmAccepted);
    EXPECT_FALSE(beyond.entryBpmAccepted);
    EXPECT_TRUE(fastRate.entryRateAccepted);
    EXPECT_FALSE(tooFastRate.entryRateAccepted);
    EXPECT_TRUE(tooFastRate.entryBpmAccepted);
}

std::uint64_t splitmix64(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// A tempo as typed: log-uniform from 2^-20 up to the limit, read back from its 15 digits.
double seededTempo(std::uint64_t& state, double limit) {
    const double unit = static_cast<double>(splitmix64(state) >> 11) / 9007199254740992.0;
    return *parseNumber(formatNumber(std::exp2(-20.0 + unit * (std::log2(limit) + 20.0))));
}

// From the bars length before rounding: the one shown has only 15 digits, too few to give back
// every typed tempo's 15 (in 336 of these rows it does not), though the tempo it gives then
// shows that same length again in the main window.
TEST(TempoFromLength, GivesBackTheTypedTempoFromTheMainWindowsBars) {
    std::uint64_t state = 2004;
    for (int i = 0; i < 1000; ++i) {
        const bool rate = i % 2 == 1;
        const double tempo = seededTempo(state, rate ? 20000.0 : 4294967296.0);
        const double bars = static_cast<double>(1 + splitmix64(state) % 1024);
        const double beatsPerBar = static_cast<double>(1 + splitmix64(state) % 1024);
        const TempoOutcome forward =
            rate ? CalcFromHz(tempo, bars, beatsPerBar, 1.0) : CalcFromBpm(tempo, bars, beatsPerBar, 1.0);
        ASSERT_TRUE(forward.ok());
        const LengthTempoOutcome back =
            tempoFromLength(forward.results.barsSeconds, LengthUnit::Seconds, 0, bars, beatsPerBar);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(formatNumber(rate ? back.tempo.entryRate : back.tempo.entryBpm), formatNumber(tempo))
            << "bars " << bars << " beats " << beatsPerBar;
    }
}

} // namespace
} // namespace tactora
