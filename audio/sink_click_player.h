#pragma once

#include "audio/click_player.h"

#include <QObject>
#include <QThread>

class SinkWorker;

// Plays through Qt Multimedia's audio sink on the default output device. The sink and the
// stream it pulls live on a thread of their own, so a busy window never starves the device.
class SinkClickPlayer final : public QObject, public ClickPlayer {
public:
    SinkClickPlayer();
    ~SinkClickPlayer() override;

    // Qt Multimedia opens the device at each start and follows no server: the output is ready
    // whenever the system names a default device.
    void openOutput() override {}
    void closeOutput() override { stop(); }
    ClickOutput output() const override;
    QString deviceName() const override;
    int sampleRate() const override;
    int latencyMilliseconds() const override;
    bool start(const ClickSettings& settings) override;
    void stop() override;
    bool isPlaying() const override { return m_playing; }
    std::int64_t framesPlayed() const override;
    void change(const ClickSettings& settings) override;
    void setEndHandler(std::function<void(ClickPlayerEnd)> handler) override;
    void setOutputHandler(std::function<void()> /*handler*/) override {}

private:
    void ended(ClickPlayerEnd end, int playing);

    QThread m_thread;
    SinkWorker* m_worker = nullptr; // on m_thread, deleted when it finishes
    bool m_playing = false;
    int m_playingCount = 0; // tells an end of an earlier playing from one of this
    std::function<void(ClickPlayerEnd)> m_endHandler;
};
