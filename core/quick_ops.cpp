#include "core/quick_ops.h"

#include "core/decimal_round.h"
#include "core/whole_number.h"

#include <limits>

namespace tactora {

std::optional<QuickOp> quickOpForKey(char32_t key) {
    switch (key) {
    case U'*':
        return QuickOp::Multiply;
    case U'/':
        return QuickOp::Divide;
    case U'\\':
        return QuickOp::RoundedDivide;
    case U'+':
    case U'-': // subtraction is an addition of a negative operand
        return QuickOp::Add;
    case U'#':
        return QuickOp::Semitone;
    case U'.':
        return QuickOp::DecimalRound;
    default:
        return std::nullopt;
    }
}

std::optional<QuickOp> quickOpForCode(int code) {
    switch (code) {
    case static_cast<int>(QuickOp::Multiply):
    case static_cast<int>(QuickOp::Divide):
    case static_cast<int>(QuickOp::RoundedDivide):
    case static_cast<int>(QuickOp::Add):
    case static_cast<int>(QuickOp::Semitone):
    case static_cast<int>(QuickOp::DecimalRound):
        return static_cast<QuickOp>(code);
    default:
        return std::nullopt;
    }
}

Checked SemitoneShift(std::int32_t value, double semitones) {
    const Checked octaves = checkedDiv(semitones, 12.0);
    if (!octaves.ok()) {
        return octaves;
    }
    const Checked power = checkedPow(2.0, octaves.value);
    if (!power.ok()) {
        return power;
    }
    return checkedDiv(static_cast<double>(value), power.value);
}

namespace {

Checked fault(ArithFault kind) {
    return {0.0, kind};
}

Checked roundedDivide(double value, double operand) {
    const std::optional<std::int32_t> dividend = toWhole(value);
    const std::optional<std::int32_t> divisor = toWhole(operand);
    if (!dividend || !divisor) {
        return fault(ArithFault::Overflow);
    }
    if (*divisor == 0) {
        return fault(ArithFault::DivisionByZero);
    }
    if (*dividend == std::numeric_limits<std::int32_t>::min() && *divisor == -1) {
        return fault(ArithFault::Overflow);
    }
    // Integer division truncates toward zero, as the quick calculator promises.
    const std::int32_t quotient = *dividend / *divisor;
    return {static_cast<double>(quotient), ArithFault::None};
}

Checked shiftRoundedValue(double value, double semitones) {
    const std::optional<std::int32_t> whole = toWhole(value);
    if (!whole) {
        return fault(ArithFault::Overflow);
    }
    return SemitoneShift(*whole, semitones);
}

Checked decimalRound(double value, double operand) {
    const std::optional<std::int32_t> places = toWhole(operand);
    if (!places) {
        return fault(ArithFault::Overflow);
    }
    const std::optional<double> rounded = roundToPlaces(value, *places);
    if (!rounded) {
        return fault(ArithFault::InvalidOperation);
    }
    return {*rounded, ArithFault::None};
}

} // namespace

Checked applyQuickOp(QuickOp op, double value, double operand) {
    // An operand of 0 means nothing useful for any operation, so it is refused up front.
    if (operand == 0.0) {
        return fault(ArithFault::InvalidOperation);
    }
    switch (op) {
    case QuickOp::Multiply:
        return checkedMul(operand, value);
    case QuickOp::Divide:
        return checkedDiv(value, operand);
    case QuickOp::RoundedDivide:
        return roundedDivide(value, operand);
    case QuickOp::Add:
        return checkedAdd(operand, value);
    case QuickOp::Semitone:
        return shiftRoundedValue(value, operand);
    case QuickOp::DecimalRound:
        return decimalRound(value, operand);
    }
    return fault(ArithFault::InvalidOperation);
}

} // namespace tactora
