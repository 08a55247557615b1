#pragma once

#include "core/checked_math.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>

namespace tactora {

// Estimates a tempo from taps: the mean interval of the last eight taps (or fewer, from
// two on). A tap that comes more than two seconds after the one before starts over.
class TapTempo {
public:
    using Time = std::chrono::nanoseconds; // on a monotonic clock

    static constexpr std::size_t maxTaps = 8;
    static constexpr Time restartGap = std::chrono::seconds(2);

    void tap(Time when);
    void clear() { m_taps.clear(); }

    // Taps in the current series, at most maxTaps.
    std::size_t tapCount() const { return m_taps.size(); }

    // Beats per minute from the taps so far; none before the second tap. Taps too close
    // together to time come back as an arithmetic fault.
    std::optional<Checked> beatsPerMinute() const;

private:
    std::deque<Time> m_taps;
};

} // namespace tactora
