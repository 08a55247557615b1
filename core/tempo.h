#pragma once

#include "core/checked_math.h"

namespace tactora {

// The three results of one tempo calculation, ready to show: the two lengths already
// rounded to 15 places and scaled by the unit factor, the converse rate rounded.
struct TempoResults {
    double barsLength = 0.0;   // seconds or milliseconds
    double beatLength = 0.0;   // seconds or milliseconds
    double converseRate = 0.0; // cycles per second, or beats per minute for a rate entry
    double beatSeconds = 0.0;  // one beat in seconds, before rounding and unit factor
    double barsSeconds = 0.0;  // the bars in seconds, before rounding and unit factor
};

// Either all three results, or the first fault met; a caller that gets a fault shows
// nothing of the calculation, so the screen never mixes old and new results.
struct TempoOutcome {
    TempoResults results;
    ArithFault fault = ArithFault::None;

    [[nodiscard]] bool ok() const { return fault == ArithFault::None; }
};

// Every step is one checked double operation in the order the formulas are written:
// F = (60 / tempo) * 4, beat = F / (bars * beatsPerBar), bars length = F * bars.
// unitFactor is 1 for seconds and 1000 for milliseconds.
TempoOutcome CalcLengths(double tempo, double bars, double beatsPerBar, double unitFactor);

// Tempo in beats per minute; the converse rate is round15(1 / beat seconds) in cycles per second.
TempoOutcome CalcFromBpm(double tempo, double bars, double beatsPerBar, double unitFactor);

// Rate in cycles per second, turned into beats per minute as ((rate * 60) / (bars * beatsPerBar)) * 4;
// the converse rate is that tempo, round15.
TempoOutcome CalcFromHz(double rate, double bars, double beatsPerBar, double unitFactor);

} // namespace tactora
