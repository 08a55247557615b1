#include "core/tempo.h"

#include "core/decimal_round.h"

namespace tactora {

namespace {

TempoOutcome failure(ArithFault fault) {
    TempoOutcome outcome;
    outcome.fault = fault;
    return outcome;
}

} // namespace

TempoOutcome CalcLengths(double tempo, double bars, double beatsPerBar, double unitFactor) {
    ArithFault fault = ArithFault::None;
    double perMinute = 0.0;
    double fourBeats = 0.0;
    double beatCount = 0.0;
    double beatSeconds = 0.0;
    double barsSeconds = 0.0;
    double barsLength = 0.0;
    double beatLength = 0.0;
    // The lengths are rounded before the unit factor, so milliseconds never show more than
    // the fifteen decimal places that the seconds value has.
    const bool ok = checkedStep(checkedDiv(60.0, tempo), perMinute, fault) &&
                    checkedStep(checkedMul(perMinute, 4.0), fourBeats, fault) &&
                    checkedStep(checkedMul(bars, beatsPerBar), beatCount, fault) &&
                    checkedStep(checkedDiv(fourBeats, beatCount), beatSeconds, fault) &&
                    checkedStep(checkedMul(fourBeats, bars), barsSeconds, fault) &&
                    checkedStep(checkedMul(round15(barsSeconds), unitFactor), barsLength, fault) &&
                    checkedStep(checkedMul(round15(beatSeconds), unitFactor), beatLength, fault);
    if (!ok) {
        return failure(fault);
    }

    TempoOutcome outcome;
    outcome.results.barsLength = barsLength;
    outcome.results.beatLength = beatLength;
    outcome.results.beatSeconds = beatSeconds;
    outcome.results.barsSeconds = barsSeconds;
    return outcome;
}

TempoOutcome CalcFromBpm(double tempo, double bars, double beatsPerBar, double unitFactor) {
    TempoOutcome outcome = CalcLengths(tempo, bars, beatsPerBar, unitFactor);
    if (!outcome.ok()) {
        return outcome;
    }
    const Checked rate = checkedDiv(1.0, outcome.results.beatSeconds);
    if (!rate.ok()) {
        return failure(rate.fault);
    }
    outcome.results.converseRate = round15(rate.value);
    return outcome;
}

TempoOutcome CalcFromHz(double rate, double bars, double beatsPerBar, double unitFactor) {
    ArithFault fault = ArithFault::None;
    double perMinute = 0.0;
    double beatCount = 0.0;
    double beatsPerMinute = 0.0;
    double tempo = 0.0;
    const bool ok = checkedStep(checkedMul(rate, 60.0), perMinute, fault) &&
                    checkedStep(checkedMul(bars, beatsPerBar), beatCount, fault) &&
                    checkedStep(checkedDiv(perMinute, beatCount), beatsPerMinute, fault) &&
                    checkedStep(checkedMul(beatsPerMinute, 4.0), tempo, fault);
    if (!ok) {
        return failure(fault);
    }

    TempoOutcome outcome = CalcLengths(tempo, bars, beatsPerBar, unitFactor);
    if (outcome.ok()) {
        outcome.results.converseRate = round15(tempo);
    }
    return outcome;
}

} // namespace tactora
