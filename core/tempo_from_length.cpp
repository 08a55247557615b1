#include "core/tempo_from_length.h"

#include "core/decimal_round.h"
#include "core/entry_rules.h"
#include "core/number_format.h"

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

// Judged on the text the window would put into the entry, so "accepted" here and there agree
// even for a tempo a hair above the limit that its 15 digits round down to it.
bool entryAccepts(double tempo, TempoKind kind) {
    return entryAccepted(Entry::Tempo, formatNumber(tempo), kind);
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
    double fourBeats = 0.0;
    double beatCount = 0.0;
    double entryBpm = 0.0;
    double quarterPerMinute = 0.0;
    double entryBeats = 0.0;
    double entryRate = 0.0;
    double entryBeatSeconds = 0.0;
    double countedBeatSeconds = 0.0;
    double countedBpm = 0.0;
    double countedRate = 0.0;
    // Each step undoes one of the main window's, last first: its bars length is F * bars with
    // F = (60 / tempo) * 4, and a rate becomes ((rate * 60) / (bars * beatsPerBar)) * 4.
    const bool ok = checkedStep(checkedDiv(length, divisorOf(unit, sampleRate)), seconds, fault) &&
                    checkedStep(checkedDiv(seconds, bars), fourBeats, fault) &&
                    checkedStep(checkedMul(bars, beatsPerBar), beatCount, fault) &&
                    checkedStep(checkedDiv(240.0, fourBeats), entryBpm, fault) &&
                    checkedStep(checkedDiv(entryBpm, 4.0), quarterPerMinute, fault) &&
                    checkedStep(checkedMul(quarterPerMinute, beatCount), entryBeats, fault) &&
                    checkedStep(checkedDiv(entryBeats, 60.0), entryRate, fault) &&
                    checkedStep(checkedDiv(fourBeats, beatCount), entryBeatSeconds, fault) &&
                    checkedStep(checkedDiv(seconds, beatCount), countedBeatSeconds, fault) &&
                    checkedStep(checkedDiv(60.0, countedBeatSeconds), countedBpm, fault) &&
                    checkedStep(checkedDiv(1.0, countedBeatSeconds), countedRate, fault);
    if (!ok) {
        outcome.fault = fault;
        return outcome;
    }

    LengthTempo& tempo = outcome.tempo;
    tempo.entryBpm = entryBpm;
    tempo.entryRate = entryRate;
    tempo.entryBeatSeconds = round15(entryBeatSeconds);
    tempo.entryBpmAccepted = entryAccepts(entryBpm, TempoKind::BeatsPerMinute);
    tempo.entryRateAccepted = entryAccepts(entryRate, TempoKind::CyclesPerSecond);
    tempo.countedBpm = countedBpm;
    tempo.countedRate = countedRate;
    tempo.countedBeatSeconds = round15(countedBeatSeconds);
    return outcome;
}

} // namespace tactora
