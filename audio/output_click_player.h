#pragma once

#include "audio/audio_output.h"
#include "audio/click_player.h"

#include <QObject>

#include <functional>
#include <memory>

// The window's side of an output, whichever the sound system: the same requests, ends and
// frames played on every platform. Every request reaches the audio thread without a lock; what
// the output's threads report comes back queued to the thread that made the player.
class OutputClickPlayer : public QObject, public ClickPlayer {
public:
    // Makes the output when the window opens it, with the function its threads call when
    // something changed.
    using OutputMaker = std::function<std::unique_ptr<AudioOutput>(std::function<void()> changed)>;

    OutputClickPlayer(OutputMaker makeOutput, int latencyMilliseconds);
    ~OutputClickPlayer() override;

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
    std::optional<tactora::BeatStart> beatHeard() const override;
    void change(const ClickSettings& settings) override;

    void setEndHandler(std::function<void(ClickPlayerEnd)> handler) override;
    void setOutputHandler(std::function<void()> handler) override;

private:
    void outputChanged();
    bool playable(const ClickSettings& settings) const;
    // The frames heard since the first beat, below 0 before it; none when nothing is heard.
    std::optional<std::int64_t> heardFromStart() const;

    OutputMaker m_makeOutput;
    int m_latencyMilliseconds;
    std::unique_ptr<AudioOutput> m_output;
    bool m_playing = false;
    std::uint64_t m_lossesAtStart = 0; // the output's count of losses when the playing began
    std::function<void(ClickPlayerEnd)> m_endHandler;
    std::function<void()> m_outputHandler;
    mutable ClickRenderer::RecentBeats m_recentBeats; // as last taken from the audio thread
};
