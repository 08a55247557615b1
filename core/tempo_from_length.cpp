#include "core/tempo_from_length.h"

#include "core/decimal_round.h"
#include "core/entry_rules.h"

#include <cmath>

namespace tactora {

namespace {

constexpr double lowestSampleRate = 44100.0;
constexpr double highestSampleRate = 192000.0;

bool positiveFinite(double value) {
    return value > 0.0 && std::isfinite(value);
}

bool countAccepted(double count) {
    return positiveFinite(count) && count <= *entryUpperLimit(Entry::Bars, TempoKind::None);
}

LengthInput checkInputs(double length, LengthUnit unit, double sampleRate, double bars, double beatsPerBar) {
    if (!positiveFinite(length)) {
        return LengthInput::Length;
    }
    if (unit == LengthUnit::Samples && !(sampleRate >= lowestSampleRate && sampleRate <= highestSampleRate)) {
        return LengthInput::SampleRate;
    }
    if (!countAccepted(bars)) {
        return LengthInput::Bars;
    }
    if (!countAccepted(beatsPerBar)) {
        return LengthInput::BeatsPerBar;
    }
    return LengthInput::Valid;
}

double divisorOf(LengthUnit unit, double sampleRate) {
    switch (unit) {
    case LengthUnit::Milliseconds:
        return 1000.0;
    case LengthUnit::Samples:
        return sampleRate;
    case LengthUnit::Seconds:
        break;
    }
    return 1.0;
}

} // namespace

LengthTempoOutcome tempoFromLength(double length, LengthUnit unit, double sampleRate, double bars,
                                   double beatsPerBar) {
    LengthTempoOutcome outcome;
    outcome.badInput = checkInputs(length, unit, sampleRate, bars, beatsPerBar);
    if (outcome.badInput != LengthInput::Valid) {
        return outcome;
    }

    ArithFault fault = ArithFault::None;
    double seconds = 0.0;
    double beatCount = 0.0;
    double beatSeconds = 0.0;
    double bpm = 0.0;
    double rate = 0.0;
    const bool ok = checkedStep(checkedDiv(length, divisorOf(unit, sampleRate)), seconds, fault) &&
                    checkedStep(checkedMul(bars, beatsPerBar), beatCount, fault) &&
                    checkedStep(checkedDiv(seconds, beatCount), beatSeconds, fault) &&
                    checkedStep(checkedDiv(60.0, beatSeconds), bpm, fault) &&
                    checkedStep(checkedDiv(1.0, beatSeconds), rate, fault);
    if (!ok) {
        outcome.fault = fault;
        return outcome;
    }

    outcome.tempo.bpm = bpm;
    outcome.tempo.rate = rate;
    outcome.tempo.beatSeconds = round15(beatSeconds);
    return outcome;
}

} // namespace tactora
