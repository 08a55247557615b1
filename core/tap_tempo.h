#pragma once

#include "core/checked_math.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace tactora {

// Estimates a tempo from taps. Each counted tap gets a beat number, and the tempo is the
// slope of the least-squares line of tap time against beat number over the last taps of
// the series: every tap counts alike, so one early or late tap moves the estimate far less
// than it moved a mean of intervals, and the slope's standard error says how far to trust it.
//
// Taps are judged against the median gap between the taps kept: one that comes far
// sooner than half an interval after the last counted tap is a double tap and is dropped; a
// gap of about two or three intervals is skipped beats, not a new tempo. A longer pause, more
// than two seconds without a tap, or a clock going backwards starts a new series. Every tap
// judges the kept ones again by the median they now give, so a misjudgement made while the
// median rested on one or two jittery intervals does not last.
class TapTempo {
public:
    using Time = std::chrono::nanoseconds; // on a monotonic clock

    // What one tap did to the series.
    enum class Outcome {
        Counted,          // the next beat of the series (or its first tap)
        DoubleTapIgnored, // too soon after the last counted tap to be a beat
        StartedOver       // the series before was left; this tap is the first of a new one
    };

    // The estimate follows the last taps only, so a player who drifts slowly is followed;
    // a double tap among them takes the place of a counted one.
    static constexpr std::size_t maxTaps = 64;
    static constexpr Time restartGap = std::chrono::seconds(2);
    // Gaps of up to this many beats are skipped beats; a longer one is a pause.
    static constexpr std::int64_t maxBeatsPerGap = 3;

    Outcome tap(Time when);
    void clear();

    // Counted taps in the current series (all of them, not only the last maxTaps).
    std::size_t tapCount() const { return m_countedBefore + countedKept(); }
    // Double taps dropped from the current series.
    std::size_t ignoredDoubleTaps() const { return m_ignoredBefore + (m_taps.size() - countedKept()); }

    // Beats per minute from the taps so far; none before the second counted tap. Taps too
    // close together to time come back as an arithmetic fault.
    std::optional<Checked> beatsPerMinute() const;

    // The estimate's standard error in beats per minute; none before the third counted tap
    // (two taps always lie on a line) or while the estimate is a fault.
    std::optional<double> uncertaintyBpm() const;

private:
    struct Tap {
        Time when;
        std::int64_t beat; // from the first tap kept; meaningful for a counted tap
        bool counted;
    };

    struct Line {
        double slope;      // seconds per beat
        double slopeError; // its standard error; meaningful from three taps on
    };

    void numberTaps(double beatSeconds);
    double medianTapGap() const;
    std::size_t countedKept() const;
    Line fitLine() const;

    std::deque<Tap> m_taps;          // the last maxTaps taps of the series, double taps too
    std::size_t m_countedBefore = 0; // taps of the series no longer kept
    std::size_t m_ignoredBefore = 0;
};

} // namespace tactora
