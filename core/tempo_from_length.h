#pragma once

#include "core/checked_math.h"

namespace tactora {

enum class LengthUnit { Seconds, Milliseconds, Samples };

// The input that cannot be used: not a positive finite number, a sample rate outside
// 44,100 to 192,000 Hz, or bars or beats per bar beyond what their entries accept.
enum class LengthInput { Valid, Length, SampleRate, Bars, BeatsPerBar };

// The tempo that fits the bars into the length, counting beatsPerBar quarter-note beats in
// each bar, as a player reads the length.
struct LengthTempo {
    double bpm = 0.0;         // quarter-note beats per minute
    double rate = 0.0;        // quarter-note beats per second
    double beatSeconds = 0.0; // one quarter-note beat, rounded to 15 places
};

struct LengthTempoOutcome {
    LengthTempo tempo;
    LengthInput badInput = LengthInput::Valid;
    ArithFault fault = ArithFault::None;

    [[nodiscard]] bool ok() const { return badInput == LengthInput::Valid && fault == ArithFault::None; }
};

// The sample rate is read only for a length in samples.
LengthTempoOutcome tempoFromLength(double length, LengthUnit unit, double sampleRate, double bars,
                                   double beatsPerBar);

} // namespace tactora
