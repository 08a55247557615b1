#include "audio/sink_click_player.h"

#include "audio/sink_worker.h"
#include "core/click_track.h"

#include <QMediaDevices>

#include <utility>

SinkClickPlayer::SinkClickPlayer() {
    m_thread.setObjectName(QStringLiteral("metronome audio"));
    m_worker = new SinkWorker([this](ClickPlayerEnd end, int playing) {
        // From the audio thread to the player's; dropped if the player is gone by then.
        QMetaObject::invokeMethod(
            this, [this, end, playing] { ended(end, playing); }, Qt::QueuedConnection);
    });
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start(QThread::TimeCriticalPriority);
}

SinkClickPlayer::~SinkClickPlayer() {
    stop();
    m_thread.quit();
    m_thread.wait();
}

ClickOutput SinkClickPlayer::output() const {
    return QMediaDevices::defaultAudioOutput().isNull() ? ClickOutput::Searching : ClickOutput::Ready;
}

int SinkClickPlayer::latencyMilliseconds() const {
    return static_cast<int>(sinkBufferMicroseconds / 1000);
}

QString SinkClickPlayer::deviceName() const {
    return QMediaDevices::defaultAudioOutput().description();
}

int SinkClickPlayer::sampleRate() const {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    return device.isNull() ? 0 : clickFormat(device).sampleRate();
}

bool SinkClickPlayer::start(const ClickSettings& settings) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return false;
    }
    const QAudioFormat format = clickFormat(device);
    if (!tactora::isPlayableTempo(format.sampleRate(), settings.beatsPerMinute) ||
        !tactora::isPlayableBarLength(settings.beatsPerBar)) {
        return false;
    }
    bool started = false;
    const int playing = ++m_playingCount;
    QMetaObject::invokeMethod(
        m_worker, [&] { started = m_worker->start(device, format, settings, playing); },
        Qt::BlockingQueuedConnection);
    m_playing = started;
    return started;
}

void SinkClickPlayer::stop() {
    if (!m_playing) {
        return;
    }
    m_playing = false;
    QMetaObject::invokeMethod(
        m_worker, [this] { m_worker->stop(); }, Qt::BlockingQueuedConnection);
}

std::int64_t SinkClickPlayer::framesPlayed() const {
    if (!m_playing) {
        return 0;
    }
    std::int64_t frames = 0;
    // The sink is asked on its own thread, the only one that touches it.
    QMetaObject::invokeMethod(
        m_worker, [&] { frames = m_worker->framesPlayed(); }, Qt::BlockingQueuedConnection);
    return frames;
}

void SinkClickPlayer::change(const ClickSettings& settings) {
    if (m_playing) {
        QMetaObject::invokeMethod(m_worker, [this, settings] { m_worker->change(settings); });
    }
}

void SinkClickPlayer::setEndHandler(std::function<void(ClickPlayerEnd)> handler) {
    m_endHandler = std::move(handler);
}

// An end the audio thread reported may cross a stop() and a new start() on its way here:
// it counts only if it belongs to the playing still under way.
void SinkClickPlayer::ended(ClickPlayerEnd end, int playing) {
    if (!m_playing || playing != m_playingCount) {
        return;
    }
    m_playing = false;
    if (m_endHandler) {
        m_endHandler(end);
    }
}
