#pragma once

#include "core/rounded_figure.h"

namespace tactora {

// The input that cannot be used: a tempo or the main window's bars that is not a positive
// finite number, or a shift that is not finite.
enum class StretchInput { Valid, Source, Target, Bars, Semitones };

// Playing music at the source tempo at the target tempo instead. Each figure is rounded once
// and fits the double range or not on its own: tempos far apart have a speed beyond the
// double range, yet a pitch and lengths that show.
struct Stretch {
    RoundedFigure ratio;        // speed: target / source
    RoundedFigure percent;      // change in speed, +5 for 5 % faster
    RoundedFigure sourceLength; // the main window's bars at the source tempo, in seconds
    RoundedFigure newLength;    // the same bars at the target tempo
    RoundedFigure semitones;    // the pitch change when sped up like tape
    RoundedFigure cents;
};

struct StretchOutcome {
    Stretch stretch; // worked out only for valid input
    StretchInput badInput = StretchInput::Valid;

    [[nodiscard]] bool ok() const { return badInput == StretchInput::Valid; }
};

// The bars are the main window's: whole notes, four quarter-note beats each, so that the
// bars last 240 x bars / tempo seconds.
StretchOutcome stretchTempo(double sourceTempo, double targetTempo, double bars);

struct ShiftOutcome {
    RoundedFigure targetTempo; // worked out only for valid input
    StretchInput badInput = StretchInput::Valid;

    [[nodiscard]] bool ok() const { return badInput == StretchInput::Valid; }
};

// The tempo that raises the pitch by the given semitones (fractions of one too), like tape:
// source x 2^(semitones / 12), in range whenever that product is, whatever its factor.
ShiftOutcome shiftTempo(double sourceTempo, double semitones);

} // namespace tactora
