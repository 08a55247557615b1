#include "core/stretch.h"

#include <cmath>

namespace tactora {

namespace {

bool positiveFinite(double value) {
    return value > 0.0 && std::isfinite(value);
}

StretchInput checkInputs(double sourceTempo, double targetTempo, double length) {
    if (!positiveFinite(sourceTempo)) {
        return StretchInput::Source;
    }
    if (!positiveFinite(targetTempo)) {
        return StretchInput::Target;
    }
    return positiveFinite(length) ? StretchInput::Valid : StretchInput::Length;
}

// A positive result that came out as zero has left the double range as surely as one that
// came out infinite; the window shows both as out of range.
bool stepAboveZero(Checked result, double& value, ArithFault& fault) {
    if (result.ok() && result.value == 0.0) {
        result.fault = ArithFault::Overflow;
    }
    return checkedStep(result, value, fault);
}

} // namespace

StretchOutcome stretchTempo(double sourceTempo, double targetTempo, double length) {
    StretchOutcome outcome;
    outcome.badInput = checkInputs(sourceTempo, targetTempo, length);
    if (outcome.badInput != StretchInput::Valid) {
        return outcome;
    }

    ArithFault fault = ArithFault::None;
    Stretch& s = outcome.stretch;
    double change = 0.0;
    double fraction = 0.0;
    double slowdown = 0.0;
    // The percentage comes from the difference rather than ratio - 1, which would cancel away
    // most of the digits of a small change.
    const bool ok = stepAboveZero(checkedDiv(targetTempo, sourceTempo), s.ratio, fault) &&
                    checkedStep(checkedAdd(targetTempo, -sourceTempo), change, fault) &&
                    checkedStep(checkedDiv(change, sourceTempo), fraction, fault) &&
                    checkedStep(checkedMul(fraction, 100.0), s.percent, fault) &&
                    stepAboveZero(checkedDiv(sourceTempo, targetTempo), slowdown, fault) &&
                    stepAboveZero(checkedMul(length, slowdown), s.newLength, fault);
    if (!ok) {
        outcome.stretch = Stretch{};
        outcome.fault = fault;
        return outcome;
    }
    // A positive finite ratio is within 2^-1074 to 2^1024, so the pitch cannot overflow. Near
    // one the ratio itself has lost the digits of the change; the fraction still has them.
    const double octaves =
        std::fabs(fraction) < 0.5 ? std::log1p(fraction) / std::log(2.0) : std::log2(s.ratio);
    s.semitones = 12.0 * octaves;
    s.cents = s.semitones * 100.0;
    return outcome;
}

ShiftOutcome shiftTempo(double sourceTempo, double semitones) {
    ShiftOutcome outcome;
    if (!positiveFinite(sourceTempo)) {
        outcome.badInput = StretchInput::Source;
        return outcome;
    }
    if (!std::isfinite(semitones)) {
        outcome.badInput = StretchInput::Semitones;
        return outcome;
    }

    ArithFault fault = ArithFault::None;
    double octaves = 0.0;
    double factor = 0.0;
    double target = 0.0;
    const bool ok = checkedStep(checkedDiv(semitones, 12.0), octaves, fault) &&
                    stepAboveZero(checkedPow(2.0, octaves), factor, fault) &&
                    stepAboveZero(checkedMul(sourceTempo, factor), target, fault);
    if (ok) {
        outcome.targetTempo = target;
    } else {
        outcome.fault = fault;
    }
    return outcome;
}

} // namespace tactora
