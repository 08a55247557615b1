#include "core/checked_math.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace tactora {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct FaultRow {
    std::string name;
    Checked (*operation)(double, double);
    double a;
    double b;
    ArithFault expected;
};

std::ostream& operator<<(std::ostream& out, const FaultRow& row) {
    return out << row.name;
}

const FaultRow checkedMathRows[] = {
    FaultRow{"ordinary division", checkedDiv, 60.0, 120.0, ArithFault::None},
    FaultRow{"underflow to zero", checkedMul, 1e-300, 1e-300, ArithFault::None},
    FaultRow{"product too large", checkedMul, 1e308, 10.0, ArithFault::Overflow},
    FaultRow{"sum too large", checkedAdd, 1.7e308, 1.7e308, ArithFault::Overflow},
    FaultRow{"quotient too large", checkedDiv, 60.0, 1e-307, ArithFault::Overflow},
    FaultRow{"non-zero over zero", checkedDiv, 5.0, 0.0, ArithFault::DivisionByZero},
    FaultRow{"negative over minus zero", checkedDiv, -5.0, -0.0, ArithFault::DivisionByZero},
    FaultRow{"zero over zero", checkedDiv, 0.0, 0.0, ArithFault::InvalidOperation},
    FaultRow{"infinity minus infinity", checkedAdd, infinity, -infinity, ArithFault::InvalidOperation},
    FaultRow{"zero times infinity", checkedMul, 0.0, infinity, ArithFault::InvalidOperation},
    FaultRow{"NaN operand", checkedAdd, nan, 1.0, ArithFault::InvalidOperation},
    FaultRow{"two to a huge power", checkedPow, 2.0, 2000.0, ArithFault::Overflow},
    FaultRow{"negative base, fractional power", checkedPow, -2.0, 0.5, ArithFault::InvalidOperation},
    FaultRow{"two to a negative power", checkedPow, 2.0, -1.0, ArithFault::None},
};

TEST(CheckedMath, ClassifiesTheFaultOfOneOperation) {
    for (const FaultRow& row : checkedMathRows) {
        SCOPED_TRACE(testing::PrintToString(row));
        EXPECT_EQ(row.operation(row.a, row.b).fault, row.expected);
    }
}

} // namespace
} // namespace tactora
