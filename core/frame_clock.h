#pragma once

#include <cstdint>

namespace tactora {

// Where the frames of a playback stream are heard, in host time: nanoseconds on the monotonic
// clock. Now and then the sound server reports the frame heard at some host time (its read
// position less the sink's latency). The reports jitter by a millisecond or two, the device's
// clock runs a few ppm off the host's, and the stream may stall, rewind or change its latency.
// The metronome's lamps, lit as a click is heard, and its keeping in step with other players
// need for any frame the moment it is heard, and for any moment the frame heard then.
//
// The answer is a line, host time against frame. Its slope, the device clock's rate against the
// host's, is a least-squares fit over about the last two minutes of reports, which follows a
// clock some ppm off its nominal rate to a fraction of a ppm. Its place is the mean of about the
// last twenty seconds of reports, carried to the present along that slope. Old reports fade out
// exponentially with host time, so both fits are a handful of sums, updated in constant time. A
// window of the last few dozen reports would not do: a line fitted to 64 reports 20 ms apart is
// off at its newest end by a quarter of the jitter's standard deviation.
//
// Until the reports span some seconds, the slope leans on the nominal sample rate, trusted to
// about 50 ppm: the reports of the first second measure it to a few hundred. With a report
// every 20 ms and jitter uniform within 1 ms either way, the line is within 0.25 ms of the truth
// after a second, 0.13 ms after ten, and 0.07 ms from a minute on (0.013 ms root mean square).
//
// A report further off the line than six times the reports' mean distance from it is set
// aside. Two in a row that agree with each other mean that the stream itself jumped: it
// stalled, rewound or changed its latency. The line is then anchored again on those two and
// keeps its slope, since the device's clock did not change, rather than taking seconds to
// average the jump in. One report off the line alone is an outlier and moves nothing. A jump
// smaller than the limit (3 ms for that jitter) is averaged in over the twenty seconds.
//
// Made for the audio thread: nothing allocates after construction, nothing locks or waits. One
// thread at a time; another thread works on a copy (the clock is a plain value).
class FrameClock {
public:
    // What one report did.
    enum class Outcome {
        Accepted,  // on the line, or the first report: it refines the fit
        Outlier,   // off the line, set aside
        Reanchored // off the line like the report before it and agreeing with it: a new start
    };

    // The device's nominal frames per second; positive.
    explicit FrameClock(int sampleRate);

    // One report: at hostNanos, heardFrame is heard (the read position less the sink's latency,
    // in frames; it may be fractional). A frame that is not a finite number is set aside.
    Outcome observe(std::int64_t hostNanos, double heardFrame);

    // Whether two reports that agree have come since the start or the last reset (a new anchor
    // rests on two). Before, the answers rest on one report and the nominal rate, or on nothing.
    bool valid() const { return m_agreeing >= 2; }

    // The host time at which frame is heard, to the nearest nanosecond. Frames more than about
    // 70 years away are taken as that far.
    std::int64_t hostNanosOf(double frame) const;
    // The frame heard at hostNanos, a time of the monotonic clock the reports come from.
    double frameAt(std::int64_t hostNanos) const;

    // Forgets the stream, for a new one.
    void reset();

private:
    // Exponentially weighted means and co-moments of reports, x the frame and y the host time,
    // both in nanoseconds from the origin (the frame at the nominal rate).
    struct Moments {
        double weight = 0.0;
        double meanX = 0.0;
        double meanY = 0.0;
        double xx = 0.0; // weighted sums of squared and crossed distances from the means
        double xy = 0.0;

        void fade(double factor);
        void add(double x, double y);
    };

    double xOf(double frame) const { return (frame - m_frameOrigin) * m_nanosPerFrame; }
    double yOf(std::int64_t hostNanos) const { return static_cast<double>(hostNanos - m_hostOrigin); }
    double lineAt(double x) const { return m_recent.meanY + m_slope * (x - m_recent.meanX); }
    void anchor(std::int64_t hostNanos, double heardFrame);
    void add(std::int64_t hostNanos, double heardFrame);
    void fitSlope();

    double m_nanosPerFrame;
    // Reports are held relative to the anchor: a double holds a host time of 10^18 ns only to the
    // nearest 128, but 100 days from the anchor to the nanosecond.
    std::int64_t m_hostOrigin = 0;
    double m_frameOrigin = 0.0;
    std::int64_t m_lastHost = 0; // of the last report taken into the fits
    int m_agreeing = 0;          // reports taken since the anchor, counted up to 2

    Moments m_recent; // the last seconds: where the line lies
    Moments m_long;   // the last minutes: its slope
    // The slope fitted before the last new anchor, and the weight it keeps among m_long's reports.
    double m_priorSlope = 1.0;
    double m_priorWeight = 0.0;
    double m_slope = 1.0; // host nanoseconds per nominal nanosecond of frames

    double m_meanDistance = 0.0; // of the reports taken from the line before them, in nanoseconds

    // The last report set aside, while no report on the line has come after it.
    bool m_pending = false;
    std::int64_t m_pendingHost = 0;
    double m_pendingFrame = 0.0;
    double m_pendingDistance = 0.0; // signed, host time less the line's
};

} // namespace tactora
