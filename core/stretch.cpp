#include "core/stretch.h"

#include "core/exact_fraction.h"

#include <cmath>

namespace tactora {

namespace {

// More octaves than lie between the least positive double and the largest (about 2098): a
// shift of more leaves the double range from any tempo.
constexpr double octavesBeyondDoubles = 2200.0;

bool positiveFinite(double value) {
    return value > 0.0 && std::isfinite(value);
}

StretchInput checkInputs(double sourceTempo, double targetTempo, double bars) {
    if (!positiveFinite(sourceTempo)) {
        return StretchInput::Source;
    }
    if (!positiveFinite(targetTempo)) {
        return StretchInput::Target;
    }
    return positiveFinite(bars) ? StretchInput::Valid : StretchInput::Bars;
}

// 240 x bars / tempo seconds: whole notes of four beats of 60 / tempo seconds.
RoundedFigure barsLength(double bars, double tempo) {
    ExactFraction seconds(240, 1);
    seconds.multiply(bars);
    seconds.divide(tempo);
    return RoundedFigure::fromExact(seconds);
}

// 100 x (ratio - 1), exactly: from the difference, which keeps all the digits of a small
// change that ratio - 1 in doubles would cancel away.
RoundedFigure percentChange(const ExactFraction& ratio) {
    const ExactFraction one(1, 1);
    if (ratio == one) {
        return RoundedFigure::zero();
    }
    const bool slower = ratio < one;
    ExactFraction change = slower ? one : ratio;
    change -= slower ? ratio : one;
    change.multiply(100.0);
    return RoundedFigure::fromExact(change, slower);
}

// log2(target / source), without the ratio itself, which leaves the double range for tempos
// far apart though the logarithm never does.
double octavesBetween(double sourceTempo, double targetTempo) {
    // Within a factor of two the difference is exact, and the fraction keeps the digits of a
    // small change that the ratio itself has lost.
    const double fraction = (targetTempo - sourceTempo) / sourceTempo;
    if (std::fabs(fraction) < 0.5) {
        return std::log1p(fraction) / std::log(2.0);
    }
    // Apart, the binary exponents give the whole octaves exactly; the mantissas, within a
    // factor of two of each other, the rest.
    int sourceExponent = 0;
    int targetExponent = 0;
    const double sourceMantissa = std::frexp(sourceTempo, &sourceExponent);
    const double targetMantissa = std::frexp(targetTempo, &targetExponent);
    return static_cast<double>(targetExponent - sourceExponent) + std::log2(targetMantissa / sourceMantissa);
}

} // namespace

StretchOutcome stretchTempo(double sourceTempo, double targetTempo, double bars) {
    StretchOutcome outcome;
    outcome.badInput = checkInputs(sourceTempo, targetTempo, bars);
    if (outcome.badInput != StretchInput::Valid) {
        return outcome;
    }

    Stretch& s = outcome.stretch;
    ExactFraction ratio(1, 1);
    ratio.multiply(targetTempo);
    ratio.divide(sourceTempo);
    s.ratio = RoundedFigure::fromExact(ratio);
    s.percent = percentChange(ratio);
    s.sourceLength = barsLength(bars, sourceTempo);
    s.newLength = barsLength(bars, targetTempo);

    // The pitch cannot be exact; its double is rounded once, and the cents are a hundred
    // times that double, not times its rounded digits.
    const double semitones = 12.0 * octavesBetween(sourceTempo, targetTempo);
    s.semitones = RoundedFigure::fromDouble(semitones);
    if (semitones == 0.0) {
        s.cents = RoundedFigure::zero();
    } else {
        ExactFraction cents(100, 1);
        cents.multiply(std::fabs(semitones));
        s.cents = RoundedFigure::fromExact(cents, semitones < 0.0);
    }
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

    // 2^(semitones / 12) alone leaves the double range from 12,288 semitones on, though the
    // tempo it gives may be in range. The whole octaves join the source's exponent in the
    // exact fraction; its mantissa takes what is left, less than an octave either way, so
    // that it stays within 1/4 to 2. The remainder of twelve is exact, where semitones / 12
    // would lose the last digits of a shift of many octaves.
    if (std::fabs(semitones) > 12.0 * octavesBeyondDoubles) {
        return outcome; // out of range
    }
    const double rest = std::fmod(semitones, 12.0);
    const auto wholeOctaves = static_cast<int>((semitones - rest) / 12.0);
    int exponent = 0;
    const double mantissa = std::frexp(sourceTempo, &exponent) * std::exp2(rest / 12.0);
    ExactFraction target(1, 1);
    target.multiply(mantissa);
    target.multiplyByPowerOfTwo(exponent + wholeOctaves);
    outcome.targetTempo = RoundedFigure::fromExact(target);
    return outcome;
}

} // namespace tactora
