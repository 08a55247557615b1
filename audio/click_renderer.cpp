#include "audio/click_renderer.h"

#include <algorithm>

void ClickRenderer::openTimeline(int sampleRate) {
    m_track = tactora::ClickTrack(sampleRate);
    m_current.run = false;
    m_rendering.store(false, std::memory_order_release);
}

void ClickRenderer::requestStart(const ClickSettings& settings) {
    ++m_request.playing;
    m_request.run = true;
    m_request.settings = settings;
    m_requests.publish(m_request);
}

void ClickRenderer::requestStop() {
    m_request.run = false;
    m_requests.publish(m_request);
}

void ClickRenderer::requestChange(const ClickSettings& settings) {
    m_request.settings = settings;
    m_requests.publish(m_request);
}

void ClickRenderer::render(std::int64_t first, std::span<float> out) {
    Request request;
    if (m_requests.take(request)) {
        if (!request.run) {
            m_current.run = false;
        } else if (request.playing != m_current.playing) {
            m_track.restart();
            m_current = {request.playing, true, {}};
            m_startFrame.store(first, std::memory_order_release);
        }
        // Otherwise the same playing goes on if it still runs; one that finished, or whose
        // output went away, is not brought back by a change of its settings.
        if (m_current.run) {
            apply(request.settings);
        }
        m_rendering.store(m_current.run, std::memory_order_release);
    }
    if (!m_current.run) {
        std::fill(out.begin(), out.end(), 0.0F);
        return;
    }
    // The device played the frames since the last buffer without us (an underrun): the track
    // passes over them, so that every later click keeps its place on the timeline.
    const std::int64_t passed = first - m_startFrame.load(std::memory_order_relaxed) - m_track.position();
    if (passed > 0) {
        m_track.skip(passed);
    }
    m_track.render(out);
    if (m_track.finished()) {
        m_current.run = false;
        m_rendering.store(false, std::memory_order_release);
        m_finished.store(m_current.playing, std::memory_order_release);
    }
}

// The track counts a new tempo from the beat due: set again unchanged, it would count from
// that beat's rounded frame and stray from the exact grid by a frame.
void ClickRenderer::apply(const ClickSettings& settings) {
    const bool fresh = m_track.position() == 0;
    if (settings.beatsPerMinute != m_current.settings.beatsPerMinute || fresh) {
        m_track.setTempo(settings.beatsPerMinute);
    }
    if (settings.beatsPerBar != m_current.settings.beatsPerBar || fresh) {
        m_track.setBeatsPerBar(settings.beatsPerBar);
    }
    m_track.setStopAfterBars(settings.stopAfterBars);
    m_track.setVolume(settings.volume);
    m_current.settings = settings;
}
