#pragma once

#include "audio/click_player.h"

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class ClickStream;
class QAudioSink;

// The audio thread's side of the player: opens the sink on the device and feeds it the
// click stream. Every call runs on the audio thread.
class SinkWorker final : public QObject {
public:
    // onEnd is called on the worker's thread when playing ends by itself, with the number
    // start() was given.
    explicit SinkWorker(std::function<void(ClickPlayerEnd, int)> onEnd);
    ~SinkWorker() override;

    bool start(const QAudioDevice& device, const QAudioFormat& format, const ClickSettings& settings,
               int playing);
    void stop();
    void change(const ClickSettings& settings);
    // What the sink reports played of this playing, in frames; 0 when it has stopped.
    std::int64_t framesPlayed() const;

private:
    void stateChanged(QAudio::State state);
    void end(ClickPlayerEnd end);

    std::function<void(ClickPlayerEnd, int)> m_onEnd;
    int m_playing = 0;
    std::unique_ptr<ClickStream> m_stream;
    std::unique_ptr<QAudioSink> m_sink;
};

// Enough for the device's thread to miss a few of its turns without a gap in the sound; a
// change of tempo waits at most this long for the beats already rendered.
constexpr qint64 sinkBufferMicroseconds = 100000;

// The format the metronome asks of a device: its own rate, so that nothing resamples the
// clicks off their frames, mono when it takes mono, 16-bit or float samples.
QAudioFormat clickFormat(const QAudioDevice& device);
