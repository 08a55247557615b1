#include "audio/output_click_player.h"

#include "core/click_track.h"

#include <QPointer>

#include <cmath>

#include <utility>

OutputClickPlayer::OutputClickPlayer(OutputMaker makeOutput, int latencyMilliseconds)
    : m_makeOutput(std::move(makeOutput)), m_latencyMilliseconds(latencyMilliseconds) {}

OutputClickPlayer::~OutputClickPlayer() {
    closeOutput();
}

void OutputClickPlayer::openOutput() {
    if (m_output) {
        return;
    }
    // From the output's thread to this one; dropped if the player is gone by then.
    const QPointer<OutputClickPlayer> self(this);
    m_output = m_makeOutput([self] {
        QMetaObject::invokeMethod(
            self.data(),
            [self] {
                if (self) {
                    self->outputChanged();
                }
            },
            Qt::QueuedConnection);
    });
}

void OutputClickPlayer::closeOutput() {
    m_playing = false;
    m_output.reset();
}

ClickOutput OutputClickPlayer::output() const {
    return m_output ? m_output->output() : ClickOutput::Searching;
}

QString OutputClickPlayer::deviceName() const {
    return m_output ? QString::fromStdString(m_output->deviceName()) : QString();
}

int OutputClickPlayer::sampleRate() const {
    return m_output ? m_output->sampleRate() : 0;
}

int OutputClickPlayer::latencyMilliseconds() const {
    return m_latencyMilliseconds;
}

bool OutputClickPlayer::start(const ClickSettings& settings) {
    stop();
    const int rate = sampleRate();
    if (output() != ClickOutput::Ready || !tactora::isPlayableTempo(rate, settings.beatsPerMinute) ||
        !tactora::isPlayableBarLength(settings.beatsPerBar)) {
        return false;
    }
    m_output->renderer().requestStart(settings);
    m_lossesAtStart = m_output->losses();
    m_playing = true;
    return true;
}

void OutputClickPlayer::stop() {
    if (!m_playing) {
        return;
    }
    m_playing = false;
    m_output->renderer().requestStop();
}

std::int64_t OutputClickPlayer::framesPlayed() const {
    if (!m_playing || !m_output->renderer().isRendering()) {
        return 0;
    }
    const std::optional<double> heard = m_output->heardFrame();
    if (!heard) {
        return 0;
    }
    return std::max<std::int64_t>(0, std::llround(*heard) - m_output->renderer().startFrame());
}

void OutputClickPlayer::change(const ClickSettings& settings) {
    if (m_playing && tactora::isPlayableTempo(sampleRate(), settings.beatsPerMinute) &&
        tactora::isPlayableBarLength(settings.beatsPerBar)) {
        m_output->renderer().requestChange(settings);
    }
}

void OutputClickPlayer::setEndHandler(std::function<void(ClickPlayerEnd)> handler) {
    m_endHandler = std::move(handler);
}

void OutputClickPlayer::setOutputHandler(std::function<void()> handler) {
    m_outputHandler = std::move(handler);
}

void OutputClickPlayer::outputChanged() {
    if (!m_output) {
        return;
    }
    if (m_playing) {
        const ClickRenderer& renderer = m_output->renderer();
        const bool lost = m_output->losses() != m_lossesAtStart;
        if (lost || renderer.finishedPlaying() == renderer.latestPlaying()) {
            m_playing = false;
            m_output->renderer().requestStop();
            if (m_endHandler) {
                m_endHandler(lost ? m_output->lastLoss() : ClickPlayerEnd::Finished);
            }
        }
    }
    if (m_outputHandler) {
        m_outputHandler();
    }
}
