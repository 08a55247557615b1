#include "core/practice_plan.h"

#include "core/click_track.h"

#include <algorithm>
#include <cmath>

namespace tactora {
namespace {

constexpr int maxTrainerBars = 100000;

bool isSound(ClickSound sound) {
    return static_cast<int>(sound) < clickSoundCount;
}

bool isValidTrainer(const TempoTrainer& trainer, int sampleRate) {
    if (trainer.kind == TempoTrainer::Kind::Off) {
        return true;
    }
    if (trainer.kind != TempoTrainer::Kind::Steps && trainer.kind != TempoTrainer::Kind::Ramp) {
        return false;
    }
    const bool stepOk = trainer.kind == TempoTrainer::Kind::Ramp ||
                        (std::isfinite(trainer.stepBeatsPerMinute) && trainer.stepBeatsPerMinute > 0.0);
    return stepOk && isPlayableTempo(sampleRate, trainer.targetBeatsPerMinute) && trainer.bars >= 1 &&
           trainer.bars <= maxTrainerBars;
}

} // namespace

bool isValidPlan(const PracticePlan& plan, int sampleRate) {
    const bool levelsOk = std::all_of(plan.pattern.begin(), plan.pattern.end(),
                                      [](BeatLevel level) { return level <= BeatLevel::Silent; });
    return levelsOk && plan.subdivisions >= 1 && plan.subdivisions <= PracticePlan::maxSubdivisions &&
           plan.subdivisionLevel >= 0.0 && plan.subdivisionLevel <= 1.0 && isSound(plan.accentSound) &&
           isSound(plan.beatSound) && isSound(plan.subdivisionSound) && isSound(plan.countInSound) &&
           plan.countInBars >= 0 && plan.countInBars <= PracticePlan::maxCountInBars &&
           plan.playedBars >= 1 && plan.mutedBars >= 0 && isValidTrainer(plan.trainer, sampleRate);
}

} // namespace tactora
