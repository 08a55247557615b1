#include "core/note_values.h"

#include "core/whole_number.h"

namespace tactora {

namespace {

// Quarter notes in a straight note: a whole note holds four, each shorter value half as many.
double quartersIn(NoteValue value) {
    constexpr double quarters[noteValueCount] = {4.0, 2.0, 1.0, 0.5, 0.25, 0.125, 0.0625};
    return quarters[static_cast<int>(value)];
}

struct Ratio {
    double numerator;
    double denominator;
};

Ratio ratioOf(NoteFeel feel) {
    switch (feel) {
    case NoteFeel::Dotted:
        return {3.0, 2.0};
    case NoteFeel::Triplet:
        return {2.0, 3.0};
    case NoteFeel::Quintuplet:
        return {4.0, 5.0};
    case NoteFeel::Straight:
        break;
    }
    return {1.0, 1.0};
}

} // namespace

Checked quarterNoteSeconds(double tempo, TempoKind kind) {
    switch (kind) {
    case TempoKind::BeatsPerMinute:
        return checkedDiv(60.0, tempo);
    case TempoKind::CyclesPerSecond:
        return checkedDiv(1.0, tempo);
    case TempoKind::None:
        break;
    }
    return {0.0, ArithFault::InvalidOperation};
}

Checked noteSeconds(double quarterSeconds, NoteValue value, NoteFeel feel) {
    const Checked straight = checkedMul(quarterSeconds, quartersIn(value));
    if (!straight.ok()) {
        return straight;
    }
    // Dividing first: one of the two steps of each ratio is by a power of two and exact,
    // so the result is rounded once either way, and a note whose length fits never
    // overflows on the way to it.
    const Ratio ratio = ratioOf(feel);
    const Checked part = checkedDiv(straight.value, ratio.denominator);
    if (!part.ok()) {
        return part;
    }
    return checkedMul(part.value, ratio.numerator);
}

Checked noteHz(double seconds) {
    return checkedDiv(1.0, seconds);
}

std::optional<std::int32_t> noteSamples(double seconds, double sampleRate) {
    const Checked samples = checkedMul(seconds, sampleRate);
    if (!samples.ok()) {
        return std::nullopt;
    }
    return toWhole(samples.value);
}

} // namespace tactora
