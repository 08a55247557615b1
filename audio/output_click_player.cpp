#include "audio/output_click_player.h"

#include "core/click_track.h"
#include "core/practice_grid.h"

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
    if (output() != ClickOutput::Ready || !playable(settings)) {
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

bool OutputClickPlayer::playable(const ClickSettings& settings) const {
    const int rate = sampleRate();
    return tactora::isPlayableTempo(rate, settings.beatsPerMinute) &&
           tactora::isPlayableBarLength(settings.beatsPerBar) && tactora::isValidPlan(settings.plan, rate) &&
           tactora::trainerReachesTarget(settings.plan.trainer, settings.beatsPerMinute);
}

std::optional<std::int64_t> OutputClickPlayer::heardFromStart() const {
    if (!m_playing || !m_output->renderer().isRendering()) {
        return std::nullopt;
    }
    const std::optional<double> heard = m_output->heardFrame();
    if (!heard) {
        return std::nullopt;
    }
    return std::llround(*heard) - m_output->renderer().startFrame();
}

std::int64_t OutputClickPlayer::framesPlayed() const {
    return std::max<std::int64_t>(0, heardFromStart().value_or(0));
}

// The device plays what was rendered a latency later: of the beats rendered lately, the
// latest it has reached.
std::optional<tactora::BeatStart> OutputClickPlayer::beatHeard() const {
    const std::optional<std::int64_t> heard = heardFromStart();
    if (!heard) {
        return std::nullopt;
    }
    ClickRenderer& renderer = m_output->renderer();
    renderer.takeRecentBeats(m_recentBeats);
    if (m_recentBeats.playing != renderer.latestPlaying()) {
        return std::nullopt;
    }
    std::optional<tactora::BeatStart> latest;
    for (std::size_t i = 0; i < m_recentBeats.count && m_recentBeats.beats[i].frame <= *heard; ++i) {
        latest = m_recentBeats.beats[i];
    }
    return latest;
}

void OutputClickPlayer::change(const ClickSettings& settings) {
    if (m_playing && playable(settings)) {
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
