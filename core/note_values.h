#pragma once

#include "core/entry_rules.h"
#include "core/exact_fraction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tactora {

// The note values the table lists, longest first; each is half the one before.
enum class NoteValue { Whole, Half, Quarter, Eighth, Sixteenth, ThirtySecond, SixtyFourth };
inline constexpr int noteValueCount = 7;

// How a note is played against its straight length.
enum class NoteFeel {
    Straight,  // x 1
    Dotted,    // x 3/2
    Triplet,   // x 2/3
    Quintuplet // x 4/5
};
inline constexpr int noteFeelCount = 4;

// The note value that is one beat of the tempo: a quarter in simple time, a dotted quarter
// in compound time (6/8), a half in cut time, an eighth in 3/8 counted in eighths.
enum class NoteBeat { Quarter, DottedQuarter, Half, Eighth };
inline constexpr int noteBeatCount = 4;

// One cell of the table, held as its exact length: (a fraction) / tempo, with the tempo's
// double taken at its exact value. Each figure is rounded once from that, so the digits
// shown are those of the true length, not of a double a step before.
class NoteCell {
public:
    explicit NoteCell(const ExactFraction& seconds) : m_seconds(seconds) {}

    // The length times a unit factor (1 for seconds, 1000 for milliseconds), written as
    // formatNumber writes a result; none beyond the double range or for a factor that is
    // not a positive finite number.
    std::optional<std::string> lengthText(double unitFactor, std::string_view decimalSeparator = ".") const;

    // The note played as a repeating rate, in cycles per second, written alike.
    std::optional<std::string> rateText(std::string_view decimalSeparator = ".") const;

    // The note in whole samples at a sample rate, the nearest whole number with halves to
    // even; none beyond the signed 32-bit range or for a rate that is not positive and finite.
    std::optional<std::int32_t> samples(double sampleRate) const;

private:
    ExactFraction m_seconds;
};

// The cell for a note value and feel at a tempo whose beat is the given note value: for beats
// per minute the beat lasts 60 / tempo seconds, for cycles per second it is one cycle. None
// for a tempo of no kind, or one that is not a positive finite number.
std::optional<NoteCell> noteCell(double tempo, TempoKind kind, NoteBeat beat, NoteValue value, NoteFeel feel);

// A note of the table: its value and how it is played.
struct NoteName {
    NoteValue value = NoteValue::Quarter;
    NoteFeel feel = NoteFeel::Straight;

    bool operator==(const NoteName&) const = default;
};

// The note that is one beat.
NoteName beatNote(NoteBeat beat);

// The note of the table as long as the main window's one beat length, where the beat is the
// given note. The main window's bar is a whole note of quarter-note beats at a tempo in beats
// per minute, and its one beat that divided by bars x beats per bar; at a rate its one beat is
// one cycle, a quarter note. None where no note of the table is that long.
std::optional<NoteName> mainBeatNote(TempoKind kind, double bars, double beatsPerBar, NoteBeat beat);

} // namespace tactora
