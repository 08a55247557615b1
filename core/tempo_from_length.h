#pragma once

#include "core/rounded_figure.h"

namespace tactora {

enum class LengthUnit { Seconds, Milliseconds, Samples };

// The input that cannot be used: not a positive finite number, a sample rate outside
// 44,100 to 192,000 Hz, or bars or beats per bar beyond what their entries accept.
enum class LengthInput { Valid, Length, SampleRate, Bars, BeatsPerBar };

// The tempo that fits the bars into the length, counting beatsPerBar quarter-note beats in
// each bar, as a player reads the length. Each figure is rounded once from its exact value
// and fits the double range or not on its own: a length of 1E-306 s in 12 beats has a tempo
// beyond the largest double, yet its rate and its beat show.
struct LengthTempo {
    RoundedFigure bpm;         // quarter-note beats per minute
    RoundedFigure rate;        // quarter-note beats per second
    RoundedFigure beatSeconds; // one quarter-note beat
};

struct LengthTempoOutcome {
    LengthTempo tempo; // worked out only for valid input
    LengthInput badInput = LengthInput::Valid;

    [[nodiscard]] bool ok() const { return badInput == LengthInput::Valid; }
};

// The sample rate is read only for a length in samples.
LengthTempoOutcome tempoFromLength(double length, LengthUnit unit, double sampleRate, double bars,
                                   double beatsPerBar);

} // namespace tactora
