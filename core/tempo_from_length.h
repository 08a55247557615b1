#pragma once

#include "core/checked_math.h"

namespace tactora {

enum class LengthUnit { Seconds, Milliseconds, Samples };

// The input that cannot be used: not a positive finite number, a sample rate outside
// 44,100 to 192,000 Hz, or bars or beats per bar beyond what their entries accept.
enum class LengthInput { Valid, Length, SampleRate, Bars, BeatsPerBar };

// A bars length read two ways. The main window's bar is always a whole note (four quarter
// notes), whatever the beats per bar, so the "entry" figures are those its tempo entry
// needs to give this bars length back. The "counted" figures count beatsPerBar quarter-note
// beats in each bar, as a player reads the length; with four beats to the bar the two
// tempos agree.
struct LengthTempo {
    double entryBpm = 0.0;           // for the tempo entry in beats per minute
    double entryRate = 0.0;          // for the tempo entry in cycles per second
    double entryBeatSeconds = 0.0;   // the main window's one-beat length, rounded to 15 places
    bool entryBpmAccepted = false;   // whether the entry accepts entryBpm as formatNumber writes it
    bool entryRateAccepted = false;  // the same for entryRate
    double countedBpm = 0.0;         // quarter-note beats per minute
    double countedRate = 0.0;        // quarter-note beats per second
    double countedBeatSeconds = 0.0; // one quarter-note beat, rounded to 15 places
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
