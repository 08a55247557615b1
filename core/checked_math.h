#pragma once

namespace tactora {

// What went wrong in one floating-point step, told apart so the user can be told which.
enum class ArithFault {
    None,
    Overflow,        // a finite computation left the double range
    DivisionByZero,  // a non-zero finite number divided by zero
    InvalidOperation // no meaningful result (0 / 0, a NaN operand or result)
};

struct Checked {
    double value = 0.0;
    ArithFault fault = ArithFault::None;

    [[nodiscard]] bool ok() const { return fault == ArithFault::None; }
};

// Each does one IEEE double operation and reports the fault it hit, if any.
Checked checkedAdd(double a, double b);
Checked checkedMul(double a, double b);
Checked checkedDiv(double a, double b);
Checked checkedPow(double base, double exponent);

// Takes one checked step's value and fault; true when the calculation may go on. Chained
// with && so that the first fault stops everything after it: a later step would only turn
// an overflow into a NaN and report the wrong cause.
inline bool checkedStep(Checked result, double& value, ArithFault& fault) {
    value = result.value;
    fault = result.fault;
    return result.ok();
}

} // namespace tactora
