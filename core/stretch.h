#pragma once

#include "core/checked_math.h"

namespace tactora {

// The input that cannot be used: a tempo or length that is not a positive finite number,
// or a shift that is not finite.
enum class StretchInput { Valid, Source, Target, Length, Semitones };

// Playing music at the source tempo at the target tempo instead.
struct Stretch {
    double ratio = 0.0;     // speed: target / source
    double percent = 0.0;   // change in speed, +5 for 5 % faster
    double newLength = 0.0; // the length, in its own unit, once played at the target tempo
    double semitones = 0.0; // the pitch change when sped up like tape
    double cents = 0.0;
};

struct StretchOutcome {
    Stretch stretch;
    StretchInput badInput = StretchInput::Valid;
    ArithFault fault = ArithFault::None; // Overflow also for a result too small to tell from zero

    [[nodiscard]] bool ok() const { return badInput == StretchInput::Valid && fault == ArithFault::None; }
};

StretchOutcome stretchTempo(double sourceTempo, double targetTempo, double length);

struct ShiftOutcome {
    double targetTempo = 0.0;
    StretchInput badInput = StretchInput::Valid;
    ArithFault fault = ArithFault::None; // Overflow also for a tempo too small to tell from zero

    [[nodiscard]] bool ok() const { return badInput == StretchInput::Valid && fault == ArithFault::None; }
};

// The tempo that raises the pitch by the given semitones (fractions of one too), like tape.
ShiftOutcome shiftTempo(double sourceTempo, double semitones);

} // namespace tactora
