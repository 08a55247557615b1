#include "core/beat_grid.h"

#include "core/binary_double.h"
#include "core/wide_unsigned.h"

#include <cmath>

namespace tactora {
namespace {

constexpr std::int64_t maxBarDenominator = 1000;

struct BarLength {
    std::int64_t numerator;
    std::int64_t denominator;
};

// The nearest fraction with a small denominator, the smallest denominator among equals, so
// that a bar length typed in decimals or as a third is met exactly.
BarLength nearestFraction(double beats) {
    BarLength best{static_cast<std::int64_t>(std::llround(beats)), 1};
    double bestError = std::abs(beats - static_cast<double>(best.numerator));
    for (std::int64_t denominator = 2; denominator <= maxBarDenominator && bestError > 0.0; ++denominator) {
        const double scaled = beats * static_cast<double>(denominator);
        const auto numerator = static_cast<std::int64_t>(std::llround(scaled));
        const double error =
            std::abs(scaled - static_cast<double>(numerator)) / static_cast<double>(denominator);
        if (error < bestError) {
            best = {numerator, denominator};
            bestError = error;
        }
    }
    return best;
}

} // namespace

BeatGrid::BeatGrid(int sampleRate, double beatsPerMinute, double beatsPerBar, std::int64_t startFrame,
                   std::int64_t firstBeatInBar)
    : m_firstBeatInBar(firstBeatInBar), m_startFrame(startFrame) {
    const BarLength bar = nearestFraction(beatsPerBar);
    m_barNumerator = bar.numerator;
    m_barDenominator = bar.denominator;
    m_beatsInBar = (bar.numerator + bar.denominator - 1) / bar.denominator;

    // Frames per beat are 60 × rate / (mantissa × 2^exponent), taken to one fraction. With a
    // beat of at most 2^40 frames the numerator stays below 2^94 and the denominator, times
    // the bar's, below 2^63.
    const BinaryDouble tempo = binaryOf(beatsPerMinute, true);
    const auto twiceFramesPerMinute =
        static_cast<std::uint64_t>(120) * static_cast<std::uint64_t>(sampleRate);
    Wide twiceNumerator{0, twiceFramesPerMinute};
    std::uint64_t denominator = tempo.mantissa;
    if (tempo.exponent < 0) {
        twiceNumerator = shiftLeft(twiceNumerator, -tempo.exponent);
    } else {
        denominator <<= static_cast<unsigned>(tempo.exponent);
    }
    m_twiceNumeratorHigh = twiceNumerator.high;
    m_twiceNumeratorLow = twiceNumerator.low;
    m_denominator = denominator * static_cast<std::uint64_t>(bar.denominator);
}

std::int64_t BeatGrid::beatInBar(std::int64_t beat) const {
    return (m_firstBeatInBar + beat) % m_beatsInBar;
}

ClickOnset BeatGrid::onset(std::int64_t beat) const {
    const std::int64_t counted = m_firstBeatInBar + beat;
    const std::int64_t inBar = counted % m_beatsInBar;
    return {frameAt(counted / m_beatsInBar, inBar, 0, 1), inBar == 0};
}

bool BeatGrid::startsInBar(std::int64_t beatInBar, int sub, int subdivisions) const {
    return (beatInBar * subdivisions + sub) * m_barDenominator < m_barNumerator * subdivisions;
}

// The distance from the first beat is d / (bar denominator × subdivisions) beats, never
// negative since the first beat's place in its bar is less than the bar's length. The ranges,
// for the first 2^50 frames (186 years at 192 kHz), with a beat of at least one frame:
//   d < 2^50 beats × 1000 × 8 < 2^63;
//   the denominator D = m_denominator × subdivisions < 2^63 × 8 = 2^66, so 2D < 2^67;
//   2 × d × numerator = 2 × frames × D < 2^51 × 2^66 = 2^117, and adding D keeps it below 2^128.
// round(d × frames per beat / s) = floor((2 × d × numerator + D) / 2D).
std::int64_t BeatGrid::frameAt(std::int64_t bar, std::int64_t beatInBar, int sub, int subdivisions) const {
    const auto parts = static_cast<std::uint64_t>(subdivisions);
    const auto distance = static_cast<std::uint64_t>(
        (bar * m_barNumerator + (beatInBar - m_firstBeatInBar) * m_barDenominator) * subdivisions +
        sub * m_barDenominator);
    const Wide twice = multiply(distance, Wide{m_twiceNumeratorHigh, m_twiceNumeratorLow});
    const Wide half = multiply(parts, m_denominator);
    const std::uint64_t frames = divide(add(twice, half), multiply(2 * parts, m_denominator));
    return m_startFrame + static_cast<std::int64_t>(frames);
}

} // namespace tactora
