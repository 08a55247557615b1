#include "core/tempo_from_length.h"

#include "core/entry_rules.h"
#include "core/exact_fraction.h"

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

    // The beat is length / unit / (bars x beats per bar), every input a double taken at its
    // exact value; the rate and the tempo are its inverse and sixty times that.
    ExactFraction beatSeconds(1, 1);
    beatSeconds.multiply(length);
    beatSeconds.divide(divisorOf(unit, sampleRate));
    beatSeconds.divide(bars);
    beatSeconds.divide(beatsPerBar);
    ExactFraction rate = beatSeconds;
    rate.invert();
    ExactFraction bpm = rate;
    bpm.multiply(60.0);

    outcome.tempo.bpm = RoundedFigure::fromExact(bpm);
    outcome.tempo.rate = RoundedFigure::fromExact(rate);
    outcome.tempo.beatSeconds = RoundedFigure::fromExact(beatSeconds);
    return outcome;
}

} // namespace tactora
