#pragma once

#include "core/checked_math.h"
#include "core/entry_rules.h"

#include <cstdint>
#include <optional>

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

// A quarter note is one beat: 60 / tempo seconds for beats per minute, and one cycle,
// 1 / rate seconds, for cycles per second. A tempo of no kind has no beat.
Checked quarterNoteSeconds(double tempo, TempoKind kind);

// The length of a note in seconds, given the quarter note's.
Checked noteSeconds(double quarterSeconds, NoteValue value, NoteFeel feel);

// The note played as a repeating rate, in cycles per second.
Checked noteHz(double seconds);

// The note in whole samples at a sample rate, the nearest whole number with halves to
// even; no result beyond the signed 32-bit range or on an arithmetic fault.
std::optional<std::int32_t> noteSamples(double seconds, double sampleRate);

} // namespace tactora
