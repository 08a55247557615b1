#include "core/tap_tempo.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tactora {

namespace {

// A bounce comes a small part of an interval after the beat, so a tap later than this
// share of the median interval is a beat played early. Dropping such a beat by mistake
// costs one tap; counting a bounce as a beat would bend the line.
constexpr double doubleTapShare = 0.3;
// From here on a gap is two beats or more, the nearest whole number of them: a late beat is
// as likely as an early one, and the judgement is made again with every tap.
constexpr double skippedBeatShare = 1.5;

double toSeconds(TapTempo::Time time) {
    return std::chrono::duration<double>(time).count();
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) {
        return *middle;
    }
    const double upper = *middle;
    const double lower = *std::max_element(values.begin(), middle);
    return lower + (upper - lower) / 2.0;
}

} // namespace

void TapTempo::clear() {
    m_taps.clear();
    m_countedBefore = 0;
    m_ignoredBefore = 0;
}

TapTempo::Outcome TapTempo::tap(Time when) {
    // A clock that went backwards cannot be measured against: it starts over too.
    if (m_taps.empty() || when - m_taps.back().when > restartGap || when < m_taps.back().when) {
        const bool startedOver = !m_taps.empty();
        clear();
        m_taps.push_back({when, 0, true});
        return startedOver ? Outcome::StartedOver : Outcome::Counted;
    }
    m_taps.push_back({when, 0, true});
    numberTaps(medianTapGap());
    const Tap& last = m_taps.back();
    if (!last.counted) {
        return Outcome::DoubleTapIgnored;
    }
    const Tap& before =
        *std::find_if(std::next(m_taps.rbegin()), m_taps.rend(), [](const Tap& t) { return t.counted; });
    if (last.beat - before.beat > maxBeatsPerGap) {
        // A pause: where the beat fell during it is anyone's guess.
        clear();
        m_taps.push_back({when, 0, true});
        return Outcome::StartedOver;
    }
    if (m_taps.size() > maxTaps) {
        (m_taps.front().counted ? m_countedBefore : m_ignoredBefore) += 1;
        m_taps.pop_front();
        numberTaps(medianTapGap());
    }
    return Outcome::Counted;
}

void TapTempo::numberTaps(double beatSeconds) {
    const Tap* last = &m_taps.front();
    m_taps.front().beat = 0;
    m_taps.front().counted = true;
    for (std::size_t i = 1; i < m_taps.size(); ++i) {
        Tap& tap = m_taps[i];
        const double ratio = toSeconds(tap.when - last->when) / beatSeconds;
        // Taps at one instant leave no scale to judge by (a ratio of 0 / 0); the tap is the
        // next beat. The cap keeps a pause from overflowing the count before it is told apart.
        std::int64_t beats = 1;
        if (ratio < doubleTapShare) {
            beats = 0;
        } else if (ratio >= skippedBeatShare) {
            beats = static_cast<std::int64_t>(std::floor(std::min(ratio, maxBeatsPerGap + 1.0) + 0.5));
        }
        tap.counted = beats > 0;
        if (tap.counted) {
            tap.beat = last->beat + beats;
            last = &tap;
        }
    }
}

// The median gap between neighbours, double taps and all: one of them splits a gap in two,
// a skipped beat doubles one, so while they are few the median is one beat.
double TapTempo::medianTapGap() const {
    std::vector<double> gaps;
    for (std::size_t i = 1; i < m_taps.size(); ++i) {
        gaps.push_back(toSeconds(m_taps[i].when - m_taps[i - 1].when));
    }
    return median(std::move(gaps));
}

std::size_t TapTempo::countedKept() const {
    return static_cast<std::size_t>(
        std::count_if(m_taps.begin(), m_taps.end(), [](const Tap& t) { return t.counted; }));
}

TapTempo::Line TapTempo::fitLine() const {
    // Measured from the first tap kept, so that the sums hold small numbers and lose
    // nothing to a clock that has run for days.
    const Time origin = m_taps.front().when;
    std::vector<double> beats;
    std::vector<double> times;
    for (const Tap& tap : m_taps) {
        if (tap.counted) {
            beats.push_back(static_cast<double>(tap.beat));
            times.push_back(toSeconds(tap.when - origin));
        }
    }
    const double n = static_cast<double>(beats.size());
    double meanBeat = 0.0;
    double meanTime = 0.0;
    for (std::size_t i = 0; i < beats.size(); ++i) {
        meanBeat += beats[i];
        meanTime += times[i];
    }
    meanBeat /= n;
    meanTime /= n;
    // Centred sums: the one-pass formulas cancel badly for taps this regular.
    double beatSquares = 0.0;
    double product = 0.0;
    for (std::size_t i = 0; i < beats.size(); ++i) {
        product += (beats[i] - meanBeat) * (times[i] - meanTime);
        beatSquares += (beats[i] - meanBeat) * (beats[i] - meanBeat);
    }
    const double slope = product / beatSquares;
    double residualSquares = 0.0;
    for (std::size_t i = 0; i < beats.size(); ++i) {
        const double residual = times[i] - meanTime - slope * (beats[i] - meanBeat);
        residualSquares += residual * residual;
    }
    const double freedom = n - 2.0;
    const double slopeError = freedom > 0.0 ? std::sqrt(residualSquares / freedom / beatSquares) : 0.0;
    return {slope, slopeError};
}

std::optional<Checked> TapTempo::beatsPerMinute() const {
    if (countedKept() < 2) {
        return std::nullopt;
    }
    return checkedDiv(60.0, fitLine().slope);
}

std::optional<double> TapTempo::uncertaintyBpm() const {
    if (countedKept() < 3) {
        return std::nullopt;
    }
    const Line line = fitLine();
    // d(60 / slope) = 60 / slope^2 * d(slope).
    const Checked bpm = checkedDiv(60.0, line.slope);
    if (!bpm.ok()) {
        return std::nullopt;
    }
    const double error = bpm.value / line.slope * line.slopeError;
    if (!std::isfinite(error)) {
        return std::nullopt;
    }
    return error;
}

} // namespace tactora
