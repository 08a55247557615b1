#include "audio/click_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double tailSeconds = 0.5;
// A sound server that starts a stream a little late, or catches up on a short first
// buffering, drops the stream's first few milliseconds: they are silence, not the first click.
constexpr double leadInSeconds = 0.05;

} // namespace

ClickStream::ClickStream(const QAudioFormat& format, const ClickSettings& settings)
    : m_format(format), m_track(format.sampleRate()),
      m_leadInFrames(std::llround(leadInSeconds * format.sampleRate())),
      m_tailFrames(std::llround(tailSeconds * format.sampleRate())) {
    apply(settings);
}

void ClickStream::change(const ClickSettings& settings) {
    const std::lock_guard lock(m_mutex);
    apply(settings);
}

// The track counts a new tempo from the beat due: set again unchanged, it would count from
// that beat's rounded frame and stray from the exact grid by a frame.
void ClickStream::apply(const ClickSettings& settings) {
    if (settings.beatsPerMinute != m_settings.beatsPerMinute || m_track.position() == 0) {
        m_track.setTempo(settings.beatsPerMinute);
    }
    if (settings.beatsPerBar != m_settings.beatsPerBar || m_track.position() == 0) {
        m_track.setBeatsPerBar(settings.beatsPerBar);
    }
    m_track.setStopAfterBars(settings.stopAfterBars);
    m_track.setVolume(settings.volume);
    m_settings = settings;
}

bool ClickStream::atEnd() const {
    const std::lock_guard lock(m_mutex);
    return m_track.finished() && m_tailFrames == 0;
}

qint64 ClickStream::bytesAvailable() const {
    const std::lock_guard lock(m_mutex);
    const qint64 frames = m_track.finished() ? m_tailFrames : m_format.sampleRate();
    return frames * m_format.bytesPerFrame() + QIODevice::bytesAvailable();
}

qint64 ClickStream::readData(char* data, qint64 maxSize) {
    const std::lock_guard lock(m_mutex);
    const int channels = m_format.channelCount();
    std::int64_t frames = maxSize / m_format.bytesPerFrame();
    if (m_track.finished()) {
        frames = std::min(frames, m_tailFrames);
        m_tailFrames -= frames;
    }
    m_mono.resize(static_cast<std::size_t>(frames));
    const std::int64_t leadIn = std::min(frames, m_leadInFrames);
    m_leadInFrames -= leadIn;
    std::fill_n(m_mono.begin(), leadIn, 0.0F);
    m_track.render(std::span(m_mono).subspan(static_cast<std::size_t>(leadIn)));
    if (m_format.sampleFormat() == QAudioFormat::Float) {
        auto* out = reinterpret_cast<float*>(data);
        for (const float sample : m_mono) {
            out = std::fill_n(out, channels, sample);
        }
    } else {
        auto* out = reinterpret_cast<std::int16_t*>(data);
        for (const float sample : m_mono) {
            out = std::fill_n(out, channels, static_cast<std::int16_t>(std::lround(sample * 32767.0F)));
        }
    }
    return frames * m_format.bytesPerFrame();
}

qint64 ClickStream::writeData(const char* /*data*/, qint64 /*maxSize*/) {
    return -1;
}
