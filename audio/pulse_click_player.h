#pragma once

#include "audio/click_player.h"

#include <QObject>

#include <memory>

class PulseOutput;

// The click player on a PulseAudio (or PipeWire) server: the window's side of PulseOutput.
// Every request reaches the audio thread without a lock; what the output thread reports comes
// back queued to the thread that made the player.
class PulseClickPlayer final : public QObject, public ClickPlayer {
public:
    PulseClickPlayer();
    ~PulseClickPlayer() override;

    void openOutput() override;
    void closeOutput() override;
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
    void setOutputHandler(std::function<void()> handler) override;

private:
    void outputChanged();

    std::unique_ptr<PulseOutput> m_output;
    bool m_playing = false;
    std::uint64_t m_lossesAtStart = 0; // the output's count of losses when the playing began
    std::function<void(ClickPlayerEnd)> m_endHandler;
    std::function<void()> m_outputHandler;
};
