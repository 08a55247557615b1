#include "core/number_format.h"
#include "core/tempo.h"

#include <gtest/gtest.h>

#include <string>

namespace tactora {
namespace {

enum class Kind { Bpm, Hz };

constexpr double seconds = 1.0;
constexpr double milliseconds = 1000.0;

struct TempoRow {
    Kind kind;
    double tempo;
    double bars;
    double beatsPerBar;
    double unit;
    std::string barsLength;
    std::string beatLength;
    std::string converseRate;
};

std::ostream& operator<<(std::ostream& out, const TempoRow& row) {
    return out << (row.kind == Kind::Bpm ? "bpm " : "Hz ") << row.tempo << ' ' << row.bars << ' '
               << row.beatsPerBar << " unit " << row.unit;
}

TempoOutcome calculate(Kind kind, double tempo, double bars, double beatsPerBar, double unit) {
    return kind == Kind::Bpm ? CalcFromBpm(tempo, bars, beatsPerBar, unit)
                             : CalcFromHz(tempo, bars, beatsPerBar, unit);
}

const TempoRow tempoResultsWorkedExamplesRows[] = {
    TempoRow{Kind::Bpm, 120, 1, 4, seconds, "2", "0.5", "2"},
    TempoRow{Kind::Bpm, 120, 1, 4, milliseconds, "2000", "500", "2"},
    TempoRow{Kind::Bpm, 100, 1, 4, seconds, "2.4", "0.6", "1.66666666666667"},
    TempoRow{Kind::Bpm, 100, 1, 4, milliseconds, "2400", "600", "1.66666666666667"},
    TempoRow{Kind::Bpm, 120, 2, 4, seconds, "4", "0.25", "4"},
    TempoRow{Kind::Bpm, 120, 2, 4, milliseconds, "4000", "250", "4"},
    TempoRow{Kind::Bpm, 90, 3, 3, seconds, "8", "0.296296296296296", "3.375"},
    TempoRow{Kind::Bpm, 90, 3, 3, milliseconds, "8000", "296.296296296296", "3.375"},
    TempoRow{Kind::Bpm, 140, 1, 4, seconds, "1.71428571428571", "0.428571428571429", "2.33333333333333"},
    TempoRow{Kind::Bpm, 140, 1, 4, milliseconds, "1714.28571428571", "428.571428571429", "2.33333333333333"},
    TempoRow{Kind::Bpm, 4294967296, 1024, 1024, seconds, "5.7220458984E-05", "5.3E-14", "18764998447377.1"},
    TempoRow{Kind::Bpm, 4294967296, 1024, 1024, milliseconds, "0.057220458984", "5.3E-11",
             "18764998447377.1"},
    TempoRow{Kind::Bpm, 1000, 3, 7, milliseconds, "720", "11.428571428571", "87.5"},
    TempoRow{Kind::Hz, 2, 1, 4, seconds, "2", "0.5", "120"},
    TempoRow{Kind::Hz, 2, 1, 4, milliseconds, "2000", "500", "120"},
    TempoRow{Kind::Hz, 1, 1, 4, seconds, "4", "1", "60"},
    TempoRow{Kind::Hz, 1, 1, 4, milliseconds, "4000", "1000", "60"},
    TempoRow{Kind::Hz, 3, 2, 4, seconds, "5.33333333333333", "0.333333333333333", "90"},
    TempoRow{Kind::Hz, 3, 2, 4, milliseconds, "5333.33333333333", "333.333333333333", "90"},
    TempoRow{Kind::Hz, 20000, 1024, 1024, seconds, "53687.0912", "5E-05", "4.57763671875"},
    TempoRow{Kind::Hz, 20000, 1024, 1024, milliseconds, "53687091.2", "0.05", "4.57763671875"},
};

TEST(TempoResults, MatchTheWorkedExamplesInBothUnitsAndKinds) {
    for (const TempoRow& row : tempoResultsWorkedExamplesRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        const TempoOutcome outcome = calculate(row.kind, row.tempo, row.bars, row.beatsPerBar, row.unit);
        if (!outcome.ok()) {
            ADD_FAILURE() << "fault " << static_cast<int>(outcome.fault);
            continue;
        }
        EXPECT_EQ(formatNumber(outcome.results.barsLength), row.barsLength);
        EXPECT_EQ(formatNumber(outcome.results.beatLength), row.beatLength);
        EXPECT_EQ(formatNumber(outcome.results.converseRate), row.converseRate);
    }
}

const TempoRow tempoResultsEdgeCasesRows[] = {
    // The one-beat length is exactly 0.0000152587890625: the tie goes to the even digit.
    TempoRow{Kind::Bpm, 60, 512, 512, seconds, "2048", "1.5258789062E-05", "65536"},
    TempoRow{Kind::Bpm, 60, 512, 512, milliseconds, "2048000", "0.015258789062", "65536"},
    // Lengths are rounded to 15 places before anything else, so small ones lose digits.
    TempoRow{Kind::Bpm, 4294967296, 0.000001, 1, seconds, "5.6E-14", "0.055879354476929", "17.8956970666667"},
    TempoRow{Kind::Bpm, 4294967296, 0.000000001, 1, seconds, "0", "55.8793544769287", "0.017895697066667"},
    // Negative entries are computed, not refused.
    TempoRow{Kind::Bpm, 100, -2, 4, seconds, "-4.8", "-0.3", "-3.33333333333333"},
    // A rate's one-beat length is 1 / rate whatever the bars and beats.
    TempoRow{Kind::Hz, 20, 3, 5, seconds, "2.25", "0.05", "320"},
    TempoRow{Kind::Hz, 20, 7, 3, seconds, "7.35", "0.05", "228.571428571429"},
};

TEST(TempoResults, HandleTiesSmallLengthsAndNegativeEntries) {
    for (const TempoRow& row : tempoResultsEdgeCasesRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        const TempoOutcome outcome = calculate(row.kind, row.tempo, row.bars, row.beatsPerBar, row.unit);
        if (!outcome.ok()) {
            ADD_FAILURE() << "fault " << static_cast<int>(outcome.fault);
            continue;
        }
        EXPECT_EQ(formatNumber(outcome.results.barsLength), row.barsLength);
        EXPECT_EQ(formatNumber(outcome.results.beatLength), row.beatLength);
        EXPECT_EQ(formatNumber(outcome.results.converseRate), row.converseRate);
    }
}

struct FaultRow {
    Kind kind;
    double tempo;
    double bars;
    double beatsPerBar;
    double unit;
    ArithFault expected;
};

std::ostream& operator<<(std::ostream& out, const FaultRow& row) {
    return out << (row.kind == Kind::Bpm ? "bpm " : "Hz ") << row.tempo << ' ' << row.bars << ' '
               << row.beatsPerBar << " unit " << row.unit;
}

const FaultRow tempoFaultRows[] = {
    FaultRow{Kind::Bpm, 1e-307, 1, 4, seconds, ArithFault::Overflow},
    FaultRow{Kind::Bpm, 0, 1, 4, seconds, ArithFault::DivisionByZero},
    FaultRow{Kind::Bpm, 100, 0, 4, seconds, ArithFault::DivisionByZero},
    FaultRow{Kind::Bpm, 100, 1, 0, seconds, ArithFault::DivisionByZero},
    FaultRow{Kind::Bpm, 100, 1e-160, 1e-160, seconds, ArithFault::Overflow},
    FaultRow{Kind::Bpm, 100, 1e-200, 1e-200, seconds, ArithFault::DivisionByZero},
    FaultRow{Kind::Bpm, 1e-300, 1e300, 1, seconds, ArithFault::Overflow},
    FaultRow{Kind::Hz, 0, 1, 4, seconds, ArithFault::DivisionByZero},
    FaultRow{Kind::Hz, 20, 0, 4, seconds, ArithFault::DivisionByZero},
    FaultRow{Kind::Hz, 20, 1e-160, 1e-160, seconds, ArithFault::Overflow},
    FaultRow{Kind::Hz, 1e307, 1, 4, seconds, ArithFault::Overflow},
};

TEST(TempoFault, StopsAtTheFirstFault) {
    for (const FaultRow& row : tempoFaultRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        EXPECT_EQ(calculate(row.kind, row.tempo, row.bars, row.beatsPerBar, row.unit).fault, row.expected);
    }
}

} // namespace
} // namespace tactora
