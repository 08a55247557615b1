#pragma once

#include "core/practice_plan.h"

namespace tactora {

// Field by field: the plan's structs hold doubles and padding, so no byte comparison.
inline bool sameTrainer(const TempoTrainer& a, const TempoTrainer& b) {
    return a.kind == b.kind && a.targetBeatsPerMinute == b.targetBeatsPerMinute &&
           a.stepBeatsPerMinute == b.stepBeatsPerMinute && a.bars == b.bars;
}

inline bool samePlan(const PracticePlan& a, const PracticePlan& b) {
    return a.pattern == b.pattern && a.subdivisions == b.subdivisions &&
           a.subdivisionLevel == b.subdivisionLevel && a.accentSound == b.accentSound &&
           a.beatSound == b.beatSound && a.subdivisionSound == b.subdivisionSound &&
           a.countInSound == b.countInSound && a.countInBars == b.countInBars &&
           a.playedBars == b.playedBars && a.mutedBars == b.mutedBars && sameTrainer(a.trainer, b.trainer);
}

} // namespace tactora
