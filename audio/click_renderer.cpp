#include "audio/click_renderer.h"

#include "core/plan_equality.h"

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
            m_current = {request.playing, true, request.settings};
            apply(request.settings, true);
            m_startFrame.store(first, std::memory_order_release);
            m_recent = {request.playing, 0, {}};
            m_recentBeats.publish(m_recent);
        } else if (m_current.run) {
            // The same playing goes on if it still runs; one that finished, or whose output
            // went away, is not brought back by a change of its settings.
            apply(request.settings, false);
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
    keepBeats(m_track.beatsStarted());
    if (m_track.finished()) {
        m_current.run = false;
        m_rendering.store(false, std::memory_order_release);
        m_finished.store(m_current.playing, std::memory_order_release);
    }
}

// A start takes every setting and goes back to the first beat, where the plan's count-in
// begins. Later, the track counts a new tempo from the beat due: set again unchanged, it
// would count from that beat's rounded frame and stray from the exact grid by a frame; a plan
// set again would start its trainer over. A new trainer is set without the old one in the
// way, which might refuse the new tempo as too far for its steps.
void ClickRenderer::apply(const ClickSettings& settings, bool fresh) {
    const bool newTrainer =
        fresh || !tactora::sameTrainer(settings.plan.trainer, m_current.settings.plan.trainer);
    if (newTrainer) {
        m_track.setPlan({});
    }
    if (fresh || settings.beatsPerMinute != m_current.settings.beatsPerMinute) {
        m_track.setTempo(settings.beatsPerMinute);
    }
    if (fresh || settings.beatsPerBar != m_current.settings.beatsPerBar) {
        m_track.setBeatsPerBar(settings.beatsPerBar);
    }
    if (newTrainer || !tactora::samePlan(settings.plan, m_current.settings.plan)) {
        m_track.setPlan(settings.plan);
    }
    if (fresh) {
        m_track.restart();
    }
    m_track.setStopAfterBars(settings.stopAfterBars);
    m_track.setVolume(settings.volume);
    m_current.settings = settings;
}

// The latest beats, the oldest dropped, handed to the window without a lock.
void ClickRenderer::keepBeats(std::span<const tactora::BeatStart> started) {
    if (started.empty()) {
        return;
    }
    for (const tactora::BeatStart& beat : started) {
        if (m_recent.count == RecentBeats::capacity) {
            std::move(m_recent.beats.begin() + 1, m_recent.beats.end(), m_recent.beats.begin());
            --m_recent.count;
        }
        m_recent.beats[m_recent.count++] = beat;
    }
    m_recentBeats.publish(m_recent);
}
