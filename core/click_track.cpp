#include "core/click_track.h"

#include "core/plan_equality.h"

#include <algorithm>
#include <cmath>

namespace tactora {
namespace {

constexpr double maxFramesPerBeat = 1099511627776.0; // 2^40
constexpr double maxBeatsPerBar = 1e6;

// Of the accent's level.
constexpr float normalLevel = 0.5F;
constexpr float softLevel = 0.25F;

struct FloatOutput {
    float* out;
    void silence(std::int64_t at, std::int64_t frames) const { std::fill_n(out + at, frames, 0.0F); }
    void click(std::int64_t at, const float* source, std::int64_t frames, float level) const {
        for (std::int64_t i = 0; i < frames; ++i) {
            out[at + i] = source[i] * level;
        }
    }
};

struct Int16Output {
    std::int16_t* out;
    void silence(std::int64_t at, std::int64_t frames) const { std::fill_n(out + at, frames, 0); }
    void click(std::int64_t at, const float* source, std::int64_t frames, float level) const {
        for (std::int64_t i = 0; i < frames; ++i) {
            out[at + i] = static_cast<std::int16_t>(std::lround(source[i] * level * 32767.0F));
        }
    }
};

struct NoOutput {
    void silence(std::int64_t /*at*/, std::int64_t /*frames*/) const {}
    void click(std::int64_t /*at*/, const float* /*source*/, std::int64_t /*frames*/, float /*level*/) const {
    }
};

} // namespace

bool isPlayableTempo(int sampleRate, double beatsPerMinute) {
    if (sampleRate <= 0 || !std::isfinite(beatsPerMinute) || beatsPerMinute <= 0.0) {
        return false;
    }
    const double framesPerBeat = 60.0 * sampleRate / beatsPerMinute;
    return framesPerBeat >= 1.0 && framesPerBeat <= maxFramesPerBeat;
}

bool isPlayableBarLength(double beatsPerBar) {
    return beatsPerBar >= 1.0 && beatsPerBar <= maxBeatsPerBar;
}

ClickTrack::ClickTrack(int sampleRate)
    : m_sampleRate(sampleRate), m_sounds(sampleRate),
      m_grid(sampleRate, m_beatsPerMinute, m_beatsPerBar, m_plan.trainer, 0) {
    restart();
}

PracticeGrid ClickTrack::gridFrom(std::int64_t firstBar, std::int64_t startFrame,
                                  std::int64_t firstBeatInBar) const {
    // The bars of the count-in still to come play at the start tempo.
    return {
        m_sampleRate, m_beatsPerMinute, m_beatsPerBar, m_plan.trainer, std::max<std::int64_t>(0, -firstBar),
        startFrame,   firstBeatInBar};
}

bool ClickTrack::setTempo(double beatsPerMinute) {
    if (!isPlayableTempo(m_sampleRate, beatsPerMinute) ||
        !trainerReachesTarget(m_plan.trainer, beatsPerMinute)) {
        return false;
    }
    m_beatsPerMinute = beatsPerMinute;
    changeFromNextBeat();
    return true;
}

bool ClickTrack::setBeatsPerBar(double beatsPerBar) {
    if (!isPlayableBarLength(beatsPerBar)) {
        return false;
    }
    m_beatsPerBar = beatsPerBar;
    changeFromNextBeat();
    return true;
}

bool ClickTrack::setPlan(const PracticePlan& plan) {
    if (!isValidPlan(plan, m_sampleRate) || !trainerReachesTarget(plan.trainer, m_beatsPerMinute)) {
        return false;
    }
    const bool trainerChanged = !sameTrainer(plan.trainer, m_plan.trainer);
    m_plan = plan;
    if (trainerChanged) {
        changeFromNextBeat();
    }
    return true;
}

// The sub-clicks of a beat already started keep their frames: the change waits for the beat
// after them.
void ClickTrack::changeFromNextBeat() {
    if (m_sub == 0) {
        startSegment();
    } else {
        m_changeDue = true;
    }
}

// The next click is a beat: it keeps its frame, and the new settings count from it.
void ClickTrack::startSegment() {
    std::int64_t bar = m_firstBar + m_bar;
    std::int64_t inBar = m_beatInBar;
    m_grid = gridFrom(bar, m_next.frame, 0);
    if (inBar >= m_grid.beatsInBar()) {
        ++bar;
        inBar = 0;
        m_grid = gridFrom(bar, m_next.frame, 0);
    } else if (inBar > 0) {
        m_grid = gridFrom(bar, m_next.frame, inBar);
    }
    m_firstBar = bar;
    m_bar = 0;
    m_beatInBar = inBar;
    m_next = {m_next.frame, inBar == 0};
    m_changeDue = false;
}

void ClickTrack::setVolume(double volume) {
    // NaN falls silent rather than through the comparisons.
    m_volume = volume > 0.0 ? static_cast<float>(std::min(volume, 1.0)) : 0.0F;
}

void ClickTrack::setStopAfterBars(double bars) {
    m_stopAfterBars = bars > 0.0 && std::isfinite(bars) ? bars : 0.0;
}

bool ClickTrack::pastTheLastBar() const {
    if (m_stopAfterBars <= 0.0 || m_firstBar + m_bar < 0) {
        return false;
    }
    if (m_beatInBar == 0) {
        return static_cast<double>(m_barsStarted) >= std::ceil(m_stopAfterBars);
    }
    // A beat inside the bar in progress: only the last bar, when fractional, ends early.
    const double wholeBars = std::floor(m_stopAfterBars);
    return static_cast<double>(m_barsStarted) > wholeBars &&
           static_cast<double>(m_beatInBar) >= (m_stopAfterBars - wholeBars) * m_beatsPerBar;
}

void ClickTrack::restart() {
    m_firstBar = -m_plan.countInBars;
    m_grid = gridFrom(m_firstBar, 0, 0);
    m_bar = 0;
    m_beatInBar = 0;
    m_sub = 0;
    m_beatSubdivisions = 1;
    m_beatHeard = false;
    m_changeDue = false;
    m_next = {0, true};
    m_position = 0;
    m_barsStarted = 0;
    m_finished = false;
    m_click = {};
    m_beatsCounted = 0;
}

std::int64_t ClickTrack::barFrame(std::int64_t bar) const {
    PracticeGrid grid = gridFrom(-m_plan.countInBars, 0, 0);
    return grid.frameAt(bar, 0, 0, 1);
}

std::span<const BeatStart> ClickTrack::beatsStarted() const {
    return {m_beats.data(), std::min(m_beatsCounted, maxBeatsPerCall)};
}

void ClickTrack::record(const BeatStart& beat) {
    m_beats[m_beatsCounted % maxBeatsPerCall] = beat;
    ++m_beatsCounted;
}

void ClickTrack::render(std::span<float> out) {
    FloatOutput output{out.data()};
    run(static_cast<std::int64_t>(out.size()), output);
}

void ClickTrack::render(std::span<std::int16_t> out) {
    Int16Output output{out.data()};
    run(static_cast<std::int64_t>(out.size()), output);
}

void ClickTrack::skip(std::int64_t frames) {
    NoOutput output;
    run(std::max<std::int64_t>(frames, 0), output);
}

ClickTrack::Voice ClickTrack::voiceOf(std::int64_t bar) const {
    if (bar < 0) {
        return m_beatInBar == 0 ? Voice{m_plan.countInSound, true, 1.0F}
                                : Voice{m_plan.countInSound, false, normalLevel};
    }
    if (!m_beatHeard) {
        return {};
    }
    if (m_sub > 0) {
        return {m_plan.subdivisionSound, false, static_cast<float>(m_plan.subdivisionLevel)};
    }
    const auto beat = static_cast<std::size_t>(m_beatInBar);
    switch (beat < m_plan.pattern.size() ? m_plan.pattern[beat] : BeatLevel::Normal) {
    case BeatLevel::Accent:
        return {m_plan.accentSound, true, 1.0F};
    case BeatLevel::Normal:
        return {m_plan.beatSound, false, normalLevel};
    case BeatLevel::Soft:
        return {m_plan.beatSound, false, softLevel};
    case BeatLevel::Silent:
        break;
    }
    return {};
}

void ClickTrack::startClick() {
    const std::int64_t bar = m_firstBar + m_bar;
    if (m_sub == 0) {
        if (m_beatInBar == 0 && bar >= 0) {
            ++m_barsStarted;
        }
        const std::int64_t cycle = static_cast<std::int64_t>(m_plan.playedBars) + m_plan.mutedBars;
        const bool muted = bar >= 0 && bar % cycle >= m_plan.playedBars;
        const auto beat = static_cast<std::size_t>(m_beatInBar);
        const bool silent = beat < m_plan.pattern.size() && m_plan.pattern[beat] == BeatLevel::Silent;
        m_beatHeard = !muted && !silent;
        m_beatSubdivisions = bar < 0 ? 1 : m_plan.subdivisions;
        record({m_next.frame, bar, static_cast<std::int32_t>(m_beatInBar), m_grid.tempoOfBar(m_bar), muted});
    }
    const Voice voice = voiceOf(bar);
    if (voice.level > 0.0F) {
        m_click = m_sounds.sound(voice.sound, voice.accentPitch);
        m_clickPlayed = 0;
        m_clickLevel = voice.level;
    }
}

void ClickTrack::moveToNextClick() {
    const int sub = m_sub + 1;
    if (sub < m_beatSubdivisions && m_grid.startsInBar(m_beatInBar, sub, m_beatSubdivisions)) {
        m_sub = sub;
        m_next = {m_grid.frameAt(m_bar, m_beatInBar, sub, m_beatSubdivisions), false};
        return;
    }
    m_sub = 0;
    if (++m_beatInBar >= m_grid.beatsInBar()) {
        m_beatInBar = 0;
        ++m_bar;
    }
    m_next = {m_grid.frameAt(m_bar, m_beatInBar, 0, 1), m_beatInBar == 0};
    if (m_changeDue) {
        startSegment();
    }
}

// Clicks closer than a frame (the end of a bar a hair longer than its last beat) start at
// the same frame; the later one is heard.
void ClickTrack::startDueClicks() {
    while (!m_finished && m_next.frame <= m_position) {
        if (m_sub == 0 && pastTheLastBar()) {
            m_finished = true;
            return;
        }
        startClick();
        moveToNextClick();
    }
}

template <typename Output> void ClickTrack::run(std::int64_t frames, Output& output) {
    m_beatsCounted = 0;
    std::int64_t done = 0;
    while (done < frames) {
        startDueClicks();
        std::int64_t stretch = frames - done;
        if (!m_finished) {
            stretch = std::min(stretch, m_next.frame - m_position);
        }
        const std::int64_t sounding =
            std::min(stretch, static_cast<std::int64_t>(m_click.size() - m_clickPlayed));
        output.click(done, m_click.data() + m_clickPlayed, sounding, m_clickLevel * m_volume);
        m_clickPlayed += static_cast<std::size_t>(sounding);
        output.silence(done + sounding, stretch - sounding);
        done += stretch;
        m_position += stretch;
    }
    // The ring's oldest beat first.
    if (m_beatsCounted > maxBeatsPerCall) {
        const auto oldest = static_cast<std::ptrdiff_t>(m_beatsCounted % maxBeatsPerCall);
        std::rotate(m_beats.begin(), m_beats.begin() + oldest, m_beats.end());
    }
}

} // namespace tactora
