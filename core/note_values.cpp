#include "core/note_values.h"

#include "core/number_format.h"

#include <cmath>

namespace tactora {

namespace {

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

// A beat in quarter notes, as numerator and denominator.
Ratio quartersIn(NoteBeat beat) {
    switch (beat) {
    case NoteBeat::DottedQuarter:
        return {3.0, 2.0};
    case NoteBeat::Half:
        return {2.0, 1.0};
    case NoteBeat::Eighth:
        return {1.0, 2.0};
    case NoteBeat::Quarter:
        break;
    }
    return {1.0, 1.0};
}

std::optional<std::string> textOf(const ExactFraction& value, std::string_view decimalSeparator) {
    if (value.exceedsDoubles()) {
        return std::nullopt;
    }
    const ExactFraction::Digits digits = value.significantDigits();
    return formatDigits(digits.digits, digits.exponent, decimalSeparator);
}

bool positiveFinite(double value) {
    return std::isfinite(value) && value > 0.0;
}

} // namespace

std::optional<std::string> NoteCell::lengthText(double unitFactor, std::string_view decimalSeparator) const {
    if (!positiveFinite(unitFactor)) {
        return std::nullopt;
    }
    ExactFraction length = m_seconds;
    length.multiply(unitFactor);
    return textOf(length, decimalSeparator);
}

std::optional<std::string> NoteCell::rateText(std::string_view decimalSeparator) const {
    ExactFraction rate = m_seconds;
    rate.invert();
    return textOf(rate, decimalSeparator);
}

std::optional<std::int32_t> NoteCell::samples(double sampleRate) const {
    if (!positiveFinite(sampleRate)) {
        return std::nullopt;
    }
    ExactFraction samples = m_seconds;
    samples.multiply(sampleRate);
    return samples.nearestWhole();
}

std::optional<NoteCell> noteCell(double tempo, TempoKind kind, NoteBeat beat, NoteValue value,
                                 NoteFeel feel) {
    if (kind == TempoKind::None || !positiveFinite(tempo)) {
        return std::nullopt;
    }
    // seconds = seconds per beat * note / beat / tempo, the note and the beat counted in
    // sixty-fourth notes (a quarter is 16) so that every factor is a whole number.
    const auto sixtyFourths = static_cast<std::uint64_t>(64 >> static_cast<int>(value));
    const Ratio feelRatio = ratioOf(feel);
    const Ratio beatQuarters = quartersIn(beat);
    const std::uint64_t secondsPerBeat = kind == TempoKind::BeatsPerMinute ? 60 : 1;
    const auto numerator = secondsPerBeat * sixtyFourths * static_cast<std::uint64_t>(feelRatio.numerator) *
                           static_cast<std::uint64_t>(beatQuarters.denominator);
    const auto denominator = std::uint64_t{16} * static_cast<std::uint64_t>(feelRatio.denominator) *
                             static_cast<std::uint64_t>(beatQuarters.numerator);
    ExactFraction seconds(numerator, denominator);
    seconds.divide(tempo);
    return NoteCell(seconds);
}

NoteName beatNote(NoteBeat beat) {
    switch (beat) {
    case NoteBeat::DottedQuarter:
        return {NoteValue::Quarter, NoteFeel::Dotted};
    case NoteBeat::Half:
        return {NoteValue::Half, NoteFeel::Straight};
    case NoteBeat::Eighth:
        return {NoteValue::Eighth, NoteFeel::Straight};
    case NoteBeat::Quarter:
        break;
    }
    return {NoteValue::Quarter, NoteFeel::Straight};
}

std::optional<NoteName> mainBeatNote(TempoKind kind, double bars, double beatsPerBar, NoteBeat beat) {
    // The main window's one beat is 1/parts of its whole note.
    const double parts = kind == TempoKind::CyclesPerSecond ? 4.0 : bars * beatsPerBar;
    if (kind == TempoKind::None || !std::isfinite(parts) || !(parts > 0.0)) {
        return std::nullopt;
    }
    // The beat is that many of the main window's quarter notes, the window's notes shorter or
    // longer alike: a note lasts (main whole / quarters in the beat) / 2^value x feel, and is
    // the main beat when parts x feel is quarters x 2^value. The products of small whole
    // numbers and an entry's value are exact wherever such a note exists.
    const Ratio quarters = quartersIn(beat);
    for (int value = 0; value < noteValueCount; ++value) {
        for (int feel = 0; feel < noteFeelCount; ++feel) {
            const Ratio ratio = ratioOf(static_cast<NoteFeel>(feel));
            if (parts * ratio.numerator * quarters.denominator ==
                std::ldexp(quarters.numerator * ratio.denominator, value)) {
                return NoteName{static_cast<NoteValue>(value), static_cast<NoteFeel>(feel)};
            }
        }
    }
    return std::nullopt;
}

} // namespace tactora
