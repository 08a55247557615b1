#include "core/quick_ops.h"

#include <gtest/gtest.h>

#include <optional>

namespace tactora {
namespace {

TEST(QuickOpForKey, MapsEachOperatorKeyAndNothingElse) {
    EXPECT_EQ(quickOpForKey(U'*'), QuickOp::Multiply);
    EXPECT_EQ(quickOpForKey(U'/'), QuickOp::Divide);
    EXPECT_EQ(quickOpForKey(U'\\'), QuickOp::RoundedDivide);
    EXPECT_EQ(quickOpForKey(U'+'), QuickOp::Add);
    EXPECT_EQ(quickOpForKey(U'-'), QuickOp::Add);
    EXPECT_EQ(quickOpForKey(U'#'), QuickOp::Semitone);
    EXPECT_EQ(quickOpForKey(U'.'), QuickOp::DecimalRound);
    for (const char32_t other : {U'0', U'7', U'a', U'E', U',', U' ', U'\r', U'\u00F7'}) {
        SCOPED_TRACE(static_cast<unsigned>(other));
        EXPECT_FALSE(quickOpForKey(other).has_value());
    }
}

TEST(QuickOpForCode, SeparatorsAndOutOfRangeCodesAreNoOperation) {
    for (const int code : {0, 1, 2, 4, 6, 7}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(quickOpForCode(code), std::optional<QuickOp>(static_cast<QuickOp>(code)));
    }
    for (const int code : {-1, 3, 5, 8, 100}) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(quickOpForCode(code).has_value());
    }
}

struct OpRow {
    const char* name;
    QuickOp op;
    double value;
    double operand;
    ArithFault fault;
    double expected; // compared only when there is no fault
};

std::ostream& operator<<(std::ostream& out, const OpRow& row) {
    return out << row.name;
}

constexpr ArithFault none = ArithFault::None;

const OpRow applyQuickOpRows[] = {
    OpRow{"multiply", QuickOp::Multiply, 0.6, 2, none, 1.2},
    OpRow{"multiply beyond range", QuickOp::Multiply, 1e308, 10, ArithFault::Overflow, 0},
    OpRow{"divide", QuickOp::Divide, 3, 2, none, 1.5},
    OpRow{"add", QuickOp::Add, 0.6, 5, none, 5.6},
    OpRow{"subtract by negative operand", QuickOp::Add, 0.6, -5, none, -4.4},
    OpRow{"rounded divide truncates", QuickOp::RoundedDivide, 7, 2, none, 3},
    OpRow{"rounded divide truncates toward zero", QuickOp::RoundedDivide, -7, 2, none, -3},
    OpRow{"rounded divide rounds the value", QuickOp::RoundedDivide, 7.5, 2, none, 4},
    OpRow{"rounded divide rounds the operand", QuickOp::RoundedDivide, 7, 2.5, none, 3},
    OpRow{"rounded divide by operand rounding to 0", QuickOp::RoundedDivide, 5, 0.4,
          ArithFault::DivisionByZero, 0},
    OpRow{"rounded divide of minimum by -1", QuickOp::RoundedDivide, -2147483648.0, -1, ArithFault::Overflow,
          0},
    OpRow{"rounded divide of minimum by 2", QuickOp::RoundedDivide, -2147483648.0, 2, none, -1073741824},
    OpRow{"rounded divide of a value beyond 32 bits", QuickOp::RoundedDivide, 3e9, 2, ArithFault::Overflow,
          0},
    OpRow{"semitone up an octave", QuickOp::Semitone, 600, 12, none, 300},
    OpRow{"semitone down an octave", QuickOp::Semitone, 600, -12, none, 1200},
    OpRow{"one semitone", QuickOp::Semitone, 600, 1, none, 566.324587609016},
    OpRow{"semitone of a value rounding to 0", QuickOp::Semitone, 0.4, 6, none, 0},
    OpRow{"semitone of a value rounding to 1", QuickOp::Semitone, 0.6, 12, none, 0.5},
    OpRow{"semitone of a value beyond 32 bits", QuickOp::Semitone, 3000000000.0, 6, ArithFault::Overflow, 0},
    OpRow{"semitone power beyond range", QuickOp::Semitone, 600, 20000, ArithFault::Overflow, 0},
    OpRow{"semitone power underflowing to 0", QuickOp::Semitone, 600, -20000, ArithFault::DivisionByZero, 0},
    OpRow{"decimal round", QuickOp::DecimalRound, 1.66666666666667, 3, none, 1.667},
    OpRow{"decimal round to whole", QuickOp::DecimalRound, 1.66666666666667, 0.4, none, 2},
    OpRow{"decimal round tie", QuickOp::DecimalRound, 0.125, 2, none, 0.12},
    OpRow{"decimal round negative places", QuickOp::DecimalRound, 1.5, -1, ArithFault::InvalidOperation, 0},
    OpRow{"decimal round places beyond 32 bits", QuickOp::DecimalRound, 1.5, 1e10, ArithFault::Overflow, 0},
    OpRow{"zero operand multiply", QuickOp::Multiply, 5, 0, ArithFault::InvalidOperation, 0},
    OpRow{"zero operand divide", QuickOp::Divide, 5, 0, ArithFault::InvalidOperation, 0},
    OpRow{"minus zero operand add", QuickOp::Add, 5, -0.0, ArithFault::InvalidOperation, 0},
    OpRow{"zero operand semitone", QuickOp::Semitone, 5, 0, ArithFault::InvalidOperation, 0},
    OpRow{"zero operand rounding", QuickOp::DecimalRound, 5, 0, ArithFault::InvalidOperation, 0},
};

TEST(ApplyQuickOp, GivesTheResultOrTheFault) {
    for (const OpRow& row : applyQuickOpRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        const Checked result = applyQuickOp(row.op, row.value, row.operand);
        EXPECT_EQ(result.fault, row.fault);
        if (result.ok() && row.fault == ArithFault::None) {
            EXPECT_DOUBLE_EQ(result.value, row.expected);
        }
    }
}

TEST(SemitoneShift, TwelveSemitonesHalveAndMinusTwelveDouble) {
    EXPECT_EQ(SemitoneShift(440, 12).value, 220.0);
    EXPECT_EQ(SemitoneShift(440, -12).value, 880.0);
    EXPECT_EQ(SemitoneShift(-440, 24).value, -110.0);
    EXPECT_EQ(SemitoneShift(0, 7).value, 0.0);
}

} // namespace
} // namespace tactora
