#pragma once

#include "audio/click_player.h"
#include "core/click_track.h"

#include <QAudioFormat>
#include <QIODevice>

#include <mutex>
#include <vector>

// The metronome's audio as the sink pulls it, in the sink's format: the click track's mono
// signal on every channel. The sink reads it on the audio thread while the window changes the
// settings, hence the lock.
class ClickStream final : public QIODevice {
public:
    // The format's sample format must be Int16 or Float; settings must be playable.
    ClickStream(const QAudioFormat& format, const ClickSettings& settings);

    void change(const ClickSettings& settings);
    // Whether the last bar and the silence after it were all read.
    bool atEnd() const override;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    void apply(const ClickSettings& settings);

    mutable std::mutex m_mutex;
    QAudioFormat m_format;
    tactora::ClickTrack m_track;
    ClickSettings m_settings;
    std::int64_t m_leadInFrames; // silence still to give before the first beat
    // Silence still to give once the track has finished: the sink may drop what it holds
    // when it stops, and the last click must be heard whole first.
    std::int64_t m_tailFrames;
    std::vector<float> m_mono;
};
