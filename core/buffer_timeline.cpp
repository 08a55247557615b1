#include "core/buffer_timeline.h"

#include <cmath>

namespace tactora {

BufferTimeline::BufferTimeline(int sampleRate) : m_nanosPerFrame(1e9 / sampleRate), m_clock(sampleRate) {}

std::int64_t BufferTimeline::place(std::int64_t dacNanos, std::int64_t frames, bool underflow) {
    std::int64_t first = m_next;
    if (m_started) {
        // In the device's own frames: over a dropout of seconds, a device 50 ppm off its nominal
        // rate plays one frame in 20,000 more or fewer than the nominal rate would say.
        const double late = m_clock.valid() ? m_clock.frameAt(dacNanos) - static_cast<double>(m_next)
                                            : static_cast<double>(dacNanos - m_lastDac) / m_nanosPerFrame -
                                                  static_cast<double>(m_lastFrames);
        if ((underflow && late >= 0.5) || late > static_cast<double>(frames)) {
            const std::int64_t missed = std::llround(late);
            first += missed;
            m_missed += missed;
        }
    }
    m_clock.observe(dacNanos, static_cast<double>(first));
    m_started = true;
    m_lastDac = dacNanos;
    m_lastFrames = frames;
    m_next = first + frames;
    return first;
}

} // namespace tactora
