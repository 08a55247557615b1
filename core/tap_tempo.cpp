#include "core/tap_tempo.h"

namespace tactora {

void TapTempo::tap(Time when) {
    // A clock that went backwards cannot be measured against: it starts over too.
    if (!m_taps.empty() && (when - m_taps.back() > restartGap || when < m_taps.back())) {
        m_taps.clear();
    }
    m_taps.push_back(when);
    if (m_taps.size() > maxTaps) {
        m_taps.pop_front();
    }
}

std::optional<Checked> TapTempo::beatsPerMinute() const {
    if (m_taps.size() < 2) {
        return std::nullopt;
    }
    // The mean of the intervals between neighbours is the whole span over their number.
    const double span = std::chrono::duration<double>(m_taps.back() - m_taps.front()).count();
    const Checked meanInterval = checkedDiv(span, static_cast<double>(m_taps.size() - 1));
    if (!meanInterval.ok()) {
        return meanInterval;
    }
    return checkedDiv(60.0, meanInterval.value);
}

} // namespace tactora
