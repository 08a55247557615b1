#include "core/checked_math.h"

#include <cmath>

namespace tactora {

namespace {

// Classifies the outcome of one operation whose operands were a and b.
Checked classify(double result, double a, double b) {
    if (std::isnan(a) || std::isnan(b) || std::isnan(result)) {
        return {result, ArithFault::InvalidOperation};
    }
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) {
        return {result, ArithFault::Overflow};
    }
    return {result, ArithFault::None};
}

} // namespace

Checked checkedAdd(double a, double b) {
    return classify(a + b, a, b);
}

Checked checkedMul(double a, double b) {
    return classify(a * b, a, b);
}

Checked checkedDiv(double a, double b) {
    if (b == 0.0 && std::isfinite(a) && a != 0.0) {
        return {a / b, ArithFault::DivisionByZero};
    }
    return classify(a / b, a, b);
}

Checked checkedPow(double base, double exponent) {
    return classify(std::pow(base, exponent), base, exponent);
}

} // namespace tactora
