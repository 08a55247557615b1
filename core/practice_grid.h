#pragma once

#include "core/beat_grid.h"
#include "core/double_double.h"
#include "core/practice_plan.h"

#include <cstdint>

namespace tactora {

// The tempo the trainer gives bar `bar` of its run (0 for the first), from the start tempo;
// the start tempo itself when the trainer is off.
double trainerTempo(const TempoTrainer& trainer, double startBeatsPerMinute, std::int64_t bar);
// False for steps too small to reach the target from this tempo within 100000 of them.
bool trainerReachesTarget(const TempoTrainer& trainer, double startBeatsPerMinute);

// Where the clicks of one stretch of playing fall: from a first beat at startFrame on, at the
// trainer's tempo bar by bar, after `steadyBars` bars (the count-in) at the start tempo. Bar 0
// is the one holding the first beat, which lies firstBeatInBar beats into it.
//
// With the trainer off every click is rounded once from its exact distance (BeatGrid). With it
// on, bar k starts at the sum of the lengths of the bars before it, a function of k alone:
// the bars of equal tempo are taken together (a ramp's bar, a step's bars, the hold after the
// target as one product), summed in order in double-double arithmetic. A sum of at most
// 100000 terms of up to 2^36 frames each (a day at 192 kHz), every step off by at most a few
// units of 2^-104 of its result, stays within 10^-12 frames of the exact value; the one
// rounding to a frame therefore meets the exact frame unless that lies within 10^-12 of a
// half. Walking the bars in order or jumping to one gives the same sums.
class PracticeGrid {
public:
    PracticeGrid(int sampleRate, double beatsPerMinute, double beatsPerBar, const TempoTrainer& trainer,
                 std::int64_t steadyBars, std::int64_t startFrame = 0, std::int64_t firstBeatInBar = 0);

    // Click `sub` of the `subdivisions` of beat `beatInBar` of bar `bar`.
    std::int64_t frameAt(std::int64_t bar, std::int64_t beatInBar, int sub, int subdivisions);
    double tempoOfBar(std::int64_t bar) const;
    std::int64_t beatsInBar() const { return m_steady.beatsInBar(); }
    bool startsInBar(std::int64_t beatInBar, int sub, int subdivisions) const {
        return m_steady.startsInBar(beatInBar, sub, subdivisions);
    }

private:
    DoubleDouble framesPerBeat(double beatsPerMinute) const;
    DoubleDouble framesPerBar(double beatsPerMinute) const;
    // Frames from the trainer's first bar to the start of its bar `bar`.
    DoubleDouble trainerBarStart(std::int64_t bar);

    BeatGrid m_steady;
    TempoTrainer m_trainer;
    int m_sampleRate;
    double m_beatsPerMinute;
    std::int64_t m_steadyBars;
    std::int64_t m_startFrame;
    std::int64_t m_firstBeatInBar;
    std::int64_t m_runBars = 1;    // the bars of one tempo while the trainer moves
    std::int64_t m_movingRuns = 0; // the runs before the one at the target
    std::int64_t m_summedRuns = 0; // how far m_summed reaches
    DoubleDouble m_summed;         // frames of the first m_summedRuns runs
};

} // namespace tactora
