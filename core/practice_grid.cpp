#include "core/practice_grid.h"

#include <algorithm>
#include <cmath>

namespace tactora {

double trainerTempo(const TempoTrainer& trainer, double startBeatsPerMinute, std::int64_t bar) {
    const double target = trainer.targetBeatsPerMinute;
    switch (trainer.kind) {
    case TempoTrainer::Kind::Off:
        break;
    case TempoTrainer::Kind::Steps: {
        const std::int64_t steps = bar / trainer.bars; // whole steps only
        const double moved = trainer.stepBeatsPerMinute * static_cast<double>(steps);
        if (target >= startBeatsPerMinute) {
            return std::min(target, startBeatsPerMinute + moved);
        }
        return std::max(target, startBeatsPerMinute - moved);
    }
    case TempoTrainer::Kind::Ramp:
        if (bar >= trainer.bars) {
            return target;
        }
        return startBeatsPerMinute +
               (target - startBeatsPerMinute) * static_cast<double>(bar) / static_cast<double>(trainer.bars);
    }
    return startBeatsPerMinute;
}

bool trainerReachesTarget(const TempoTrainer& trainer, double startBeatsPerMinute) {
    constexpr double maxSteps = 100000.0;
    return trainer.kind != TempoTrainer::Kind::Steps ||
           std::abs(trainer.targetBeatsPerMinute - startBeatsPerMinute) / trainer.stepBeatsPerMinute <=
               maxSteps;
}

PracticeGrid::PracticeGrid(int sampleRate, double beatsPerMinute, double beatsPerBar,
                           const TempoTrainer& trainer, std::int64_t steadyBars, std::int64_t startFrame,
                           std::int64_t firstBeatInBar)
    : m_steady(sampleRate, beatsPerMinute, beatsPerBar, startFrame, firstBeatInBar), m_trainer(trainer),
      m_sampleRate(sampleRate), m_beatsPerMinute(beatsPerMinute), m_steadyBars(steadyBars),
      m_startFrame(startFrame), m_firstBeatInBar(firstBeatInBar) {
    if (trainer.kind == TempoTrainer::Kind::Off) {
        return;
    }
    if (trainer.kind == TempoTrainer::Kind::Ramp) {
        m_movingRuns = trainer.bars;
        return;
    }
    m_runBars = trainer.bars;
    // The first step at the target, which the steps never leave: found from the step just
    // short of it, so that the audio thread does not count every step of a long trainer.
    const double distance =
        std::abs(trainer.targetBeatsPerMinute - beatsPerMinute) / trainer.stepBeatsPerMinute;
    m_movingRuns = std::max<std::int64_t>(0, static_cast<std::int64_t>(distance) - 1);
    while (trainerTempo(trainer, beatsPerMinute, m_movingRuns * m_runBars) != trainer.targetBeatsPerMinute) {
        ++m_movingRuns;
    }
}

double PracticeGrid::tempoOfBar(std::int64_t bar) const {
    return trainerTempo(m_trainer, m_beatsPerMinute, std::max<std::int64_t>(0, bar - m_steadyBars));
}

DoubleDouble PracticeGrid::framesPerBeat(double beatsPerMinute) const {
    return doubledouble::divide({60.0 * m_sampleRate, 0.0}, beatsPerMinute);
}

DoubleDouble PracticeGrid::framesPerBar(double beatsPerMinute) const {
    const DoubleDouble beats =
        doubledouble::multiply(framesPerBeat(beatsPerMinute), static_cast<double>(m_steady.barNumerator()));
    return doubledouble::divide(beats, static_cast<double>(m_steady.barDenominator()));
}

DoubleDouble PracticeGrid::trainerBarStart(std::int64_t bar) {
    const std::int64_t run = std::min(bar / m_runBars, m_movingRuns);
    if (run < m_summedRuns) {
        m_summedRuns = 0;
        m_summed = {};
    }
    for (; m_summedRuns < run; ++m_summedRuns) {
        const double tempo = trainerTempo(m_trainer, m_beatsPerMinute, m_summedRuns * m_runBars);
        m_summed = doubledouble::add(
            m_summed, doubledouble::multiply(framesPerBar(tempo), static_cast<double>(m_runBars)));
    }
    const DoubleDouble within =
        doubledouble::multiply(framesPerBar(trainerTempo(m_trainer, m_beatsPerMinute, bar)),
                               static_cast<double>(bar - run * m_runBars));
    return doubledouble::add(m_summed, within);
}

std::int64_t PracticeGrid::frameAt(std::int64_t bar, std::int64_t beatInBar, int sub, int subdivisions) {
    if (m_trainer.kind == TempoTrainer::Kind::Off) {
        return m_steady.frameAt(bar, beatInBar, sub, subdivisions);
    }
    // The bar's start as if bar 0 were whole, less the part of bar 0 before the first beat.
    const DoubleDouble startBeat = framesPerBeat(m_beatsPerMinute);
    DoubleDouble frames = doubledouble::multiply(framesPerBar(m_beatsPerMinute),
                                                 static_cast<double>(std::min(bar, m_steadyBars)));
    if (bar > m_steadyBars) {
        frames = doubledouble::add(frames, trainerBarStart(bar - m_steadyBars));
    }
    frames =
        doubledouble::add(frames, doubledouble::multiply(startBeat, -static_cast<double>(m_firstBeatInBar)));
    const DoubleDouble inBar =
        doubledouble::divide(doubledouble::multiply(framesPerBeat(tempoOfBar(bar)),
                                                    static_cast<double>(beatInBar * subdivisions + sub)),
                             static_cast<double>(subdivisions));
    return m_startFrame + doubledouble::roundHalfUp(doubledouble::add(frames, inBar));
}

} // namespace tactora
