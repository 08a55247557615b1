#pragma once

#include "audio/click_player.h"

// What the practice sound test plays through the sound server, and what its check renders
// to compare with the recording: one bar of count-in, then four bars of 4 at 150, 180, 210
// and 210 beats per minute (the trainer's steps of 30 every bar, held at 210), in triplets,
// the third bar muted, the second beat soft and the third silent.
inline ClickSettings practiceScenario() {
    ClickSettings settings;
    settings.beatsPerMinute = 150.0;
    settings.beatsPerBar = 4.0;
    settings.stopAfterBars = 4.0;
    settings.volume = 1.0;
    tactora::PracticePlan& plan = settings.plan;
    plan.pattern[1] = tactora::BeatLevel::Soft;
    plan.pattern[2] = tactora::BeatLevel::Silent;
    plan.subdivisions = 3;
    plan.subdivisionLevel = 0.5;
    plan.countInBars = 1;
    plan.playedBars = 2;
    plan.mutedBars = 1;
    plan.trainer.kind = tactora::TempoTrainer::Kind::Steps;
    plan.trainer.targetBeatsPerMinute = 210.0;
    plan.trainer.stepBeatsPerMinute = 30.0;
    plan.trainer.bars = 1;
    return settings;
}
