#include "core/frame_clock.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace tactora {
namespace {

// A report counts fully in the line's place for about twenty seconds, in its slope for about two
// minutes: long enough to smooth the jitter, short enough to follow a device clock whose rate
// wanders as it warms.
constexpr double recentMemoryNanos = 20e9;
constexpr double slopeMemoryNanos = 120e9;

// The jitter taken for granted until the reports show their own: the first outlier limit.
constexpr double assumedJitterNanos = 1e6;
// How far a device clock is trusted to keep its nominal rate before the reports measure it.
constexpr double nominalRateTrust = 50e-6;
// Normally distributed jitter lies on average 0.8 of its standard deviation off the line.
constexpr double deviationPerDistance = 1.25;
// A device that far off is one set to a wrong sample rate, not a drifting clock; the bound
// also keeps the slope from reaching zero, where no frame would have a time.
constexpr double maxRateDeviation = 0.01;

// Uniform jitter keeps a report within twice the mean distance; normally distributed jitter
// goes beyond six times it, 4.8 standard deviations, once in 600 000 reports, and two such
// reports in a row that agree, which would start anew, come far more rarely still. A stall, a
// rewind or a change of latency moves the reports much further.
constexpr double outlierFactor = 6.0;
// The mean distance follows the last hundred reports or so: over fewer it would wander, and
// with it the limit, far enough to let jitter start anew.
constexpr double distanceWeight = 1.0 / 64.0;

// About 70 years: the sum with a time of the monotonic clock stays within 64 bits.
constexpr double maxOffsetNanos = 0x1p61;

} // namespace

// A plain value: nothing on the heap, so the audio thread never allocates and a copy is cheap.
static_assert(std::is_trivially_copyable_v<FrameClock>);

void FrameClock::Moments::fade(double factor) {
    weight *= factor;
    xx *= factor;
    xy *= factor;
}

void FrameClock::Moments::add(double x, double y) {
    weight += 1.0;
    const double dx = x - meanX;
    meanX += dx / weight;
    meanY += (y - meanY) / weight;
    xx += dx * (x - meanX);
    xy += dx * (y - meanY);
}

FrameClock::FrameClock(int sampleRate) : m_nanosPerFrame(1e9 / sampleRate) {
    reset();
}

void FrameClock::reset() {
    m_hostOrigin = 0;
    m_frameOrigin = 0.0;
    m_lastHost = 0;
    m_agreeing = 0;
    m_recent = {};
    m_long = {};
    m_priorSlope = 1.0;
    m_priorWeight = 0.0;
    m_slope = 1.0;
    m_meanDistance = assumedJitterNanos;
    m_pending = false;
}

FrameClock::Outcome FrameClock::observe(std::int64_t hostNanos, double heardFrame) {
    if (!std::isfinite(heardFrame)) {
        return Outcome::Outlier;
    }
    if (m_agreeing == 0) {
        anchor(hostNanos, heardFrame);
        return Outcome::Accepted;
    }
    const double distance = yOf(hostNanos) - lineAt(xOf(heardFrame));
    // Frames come whole from the read position: the distances are never taken as less than one.
    const double limit = outlierFactor * std::max(m_meanDistance, m_nanosPerFrame);
    if (std::abs(distance) <= limit) {
        m_pending = false;
        m_meanDistance += (std::abs(distance) - m_meanDistance) * distanceWeight;
        add(hostNanos, heardFrame);
        return Outcome::Accepted;
    }
    if (m_pending && std::abs(distance - m_pendingDistance) <= limit) {
        // The stream jumped; its device's clock runs on as before, so all the slope's weight
        // goes with it to the new anchor.
        m_priorSlope = m_slope;
        m_priorWeight += m_long.xx;
        anchor(m_pendingHost, m_pendingFrame);
        add(hostNanos, heardFrame);
        return Outcome::Reanchored;
    }
    m_pending = true;
    m_pendingHost = hostNanos;
    m_pendingFrame = heardFrame;
    m_pendingDistance = distance;
    return Outcome::Outlier;
}

void FrameClock::anchor(std::int64_t hostNanos, double heardFrame) {
    m_hostOrigin = hostNanos;
    m_frameOrigin = heardFrame;
    m_lastHost = hostNanos;
    m_recent = {};
    m_long = {};
    m_recent.add(0.0, 0.0);
    m_long.add(0.0, 0.0);
    m_agreeing = 1;
    m_pending = false;
    fitSlope();
}

void FrameClock::add(std::int64_t hostNanos, double heardFrame) {
    // Jitter may put a report's time before the last one's: no time has passed then.
    const double elapsed = std::max(0.0, static_cast<double>(hostNanos - m_lastHost));
    m_lastHost = std::max(m_lastHost, hostNanos);
    m_recent.fade(std::exp(-elapsed / recentMemoryNanos));
    const double slopeFade = std::exp(-elapsed / slopeMemoryNanos);
    m_long.fade(slopeFade);
    m_priorWeight *= slopeFade;
    m_recent.add(xOf(heardFrame), yOf(hostNanos));
    m_long.add(xOf(heardFrame), yOf(hostNanos));
    m_agreeing = std::min(m_agreeing + 1, 2);
    fitSlope();
}

void FrameClock::fitSlope() {
    // The nominal rate counts as much as reports with the jitter seen so far that measured it to
    // the trust put in it: the less they jitter, the sooner they tell the device's own rate.
    const double jitter = std::max(deviationPerDistance * m_meanDistance, m_nanosPerFrame);
    const double nominalWeight = (jitter / nominalRateTrust) * (jitter / nominalRateTrust);
    // The least-squares slope, with each slope known before the reports counted as its weight
    // of squared distance from their mean.
    const double slope = (m_long.xy + nominalWeight + m_priorWeight * m_priorSlope) /
                         (m_long.xx + nominalWeight + m_priorWeight);
    m_slope = std::clamp(slope, 1.0 - maxRateDeviation, 1.0 + maxRateDeviation);
}

std::int64_t FrameClock::hostNanosOf(double frame) const {
    const double y = lineAt(xOf(frame));
    if (std::isnan(y)) {
        return m_hostOrigin;
    }
    return m_hostOrigin + std::llround(std::clamp(y, -maxOffsetNanos, maxOffsetNanos));
}

double FrameClock::frameAt(std::int64_t hostNanos) const {
    const double x = m_recent.meanX + (yOf(hostNanos) - m_recent.meanY) / m_slope;
    return m_frameOrigin + x / m_nanosPerFrame;
}

} // namespace tactora
