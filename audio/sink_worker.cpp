#include "audio/sink_worker.h"

#include "audio/click_stream.h"

#include <QAudioSink>

#include <utility>

QAudioFormat clickFormat(const QAudioDevice& device) {
    QAudioFormat format = device.preferredFormat();
    if (format.sampleFormat() != QAudioFormat::Float) {
        format.setSampleFormat(QAudioFormat::Int16);
    }
    QAudioFormat mono = format;
    mono.setChannelCount(1);
    if (device.isFormatSupported(mono)) {
        return mono;
    }
    return format;
}

SinkWorker::SinkWorker(std::function<void(ClickPlayerEnd, int)> onEnd) : m_onEnd(std::move(onEnd)) {}

SinkWorker::~SinkWorker() {
    stop();
}

bool SinkWorker::start(const QAudioDevice& device, const QAudioFormat& format, const ClickSettings& settings,
                       int playing) {
    stop();
    m_playing = playing;
    m_stream = std::make_unique<ClickStream>(format, settings);
    m_stream->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->setBufferSize(format.bytesForDuration(sinkBufferMicroseconds));
    connect(m_sink.get(), &QAudioSink::stateChanged, this, &SinkWorker::stateChanged);
    m_sink->start(m_stream.get());
    if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
        stop();
        return false;
    }
    return true;
}

void SinkWorker::stop() {
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
    }
    m_sink.reset();
    m_stream.reset();
}

void SinkWorker::change(const ClickSettings& settings) {
    if (m_stream) {
        m_stream->change(settings);
    }
}

// Counted here rather than with QAudioFormat::framesForDuration, whose 32 bits would run out
// after some hours of playing at the highest rates.
std::int64_t SinkWorker::framesPlayed() const {
    if (!m_sink) {
        return 0;
    }
    return m_sink->processedUSecs() * m_sink->format().sampleRate() / 1000000;
}

// The sink falls idle when the stream has nothing more, or when the device ran dry; only the
// first is an end, the stream keeps going after the second. The sink is let go once its
// signal has returned.
void SinkWorker::stateChanged(QAudio::State state) {
    if (state == QAudio::IdleState && m_stream->atEnd()) {
        QMetaObject::invokeMethod(
            this, [this] { end(ClickPlayerEnd::Finished); }, Qt::QueuedConnection);
    } else if (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
        QMetaObject::invokeMethod(
            this, [this] { end(ClickPlayerEnd::DeviceLost); }, Qt::QueuedConnection);
    }
}

void SinkWorker::end(ClickPlayerEnd end) {
    if (m_sink) {
        stop();
        m_onEnd(end, m_playing);
    }
}
