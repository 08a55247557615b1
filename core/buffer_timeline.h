#pragma once

#include "core/frame_clock.h"

#include <cstdint>

namespace tactora {

// Where each buffer an audio callback fills lies on its device's timeline: the frames the
// device has played since the stream started, ours and its own silence alike.
//
// A host that pulls buffers through a callback (PortAudio) hands over the frames it is given
// and says, with each buffer, when its first frame reaches the device, and sometimes that the
// device ran dry since the last one (an output underflow). When a callback comes too late the
// device plays silence of its own, and from then on the frames given run behind the device's:
// counting them would put every later click late by the silence. So the frames are counted,
// and where the device played without us the timeline moves on by the frames it played: the
// time the buffer reaches the device less the time the frames counted predict, times the rate.
//
// The prediction is the frame clock's line through the earlier buffers, which averages out the
// jitter of single reports; until the line stands, the last buffer's time plus its length.
//
// A report may be late without the device running dry. WASAPI, for one, takes the time from
// the moment of the call plus what is still queued, so a callback woken late reports late by
// as much, up to one pass of the audio engine, however much it still had queued; and it never
// reports an underflow. So a buffer counts as late only where the host says the device ran dry
// or where it is later than its own length, which no late call explains while frames of ours
// were queued. With WASAPI's reports the timeline after a dropout is right to within one pass
// (10 ms); with a host whose reports are exact, to the frame.
//
// Made for the audio callback: nothing allocates, nothing locks or waits.
class BufferTimeline {
public:
    // The device's nominal frames per second; positive.
    explicit BufferTimeline(int sampleRate);

    // The next buffer, of `frames` frames: its first frame reaches the device at dacNanos, by
    // the host, in nanoseconds of the host's monotonic clock; underflow when the host says the
    // device ran dry since the last buffer. Returns the timeline frame of its first frame.
    std::int64_t place(std::int64_t dacNanos, std::int64_t frames, bool underflow);

    // When the buffers' frames reach the device, in host time, by the reports so far.
    const FrameClock& clock() const { return m_clock; }
    // The frames the device played without us since the stream started.
    std::int64_t framesMissed() const { return m_missed; }

private:
    double m_nanosPerFrame;
    FrameClock m_clock;
    bool m_started = false;
    std::int64_t m_next = 0;    // the timeline frame after the last buffer
    std::int64_t m_lastDac = 0; // when the last buffer reaches the device
    std::int64_t m_lastFrames = 0;
    std::int64_t m_missed = 0;
};

} // namespace tactora
