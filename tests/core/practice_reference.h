#pragma once

// What a practice plan must play, worked out the long way with exact fractions: every bar starts
// at the exact sum of the bars before it, every click rounded once, halves up. Tempos are in
// quarters of a beat per minute, so that every one the trainer reaches is exact.

#include "core/practice_plan.h"

#include <cstdint>
#include <vector>

namespace tactora::reference {

struct Click {
    BeatStart at;
    bool beat = false; // the beat's own click, not a sub-click
    ClickSound sound = ClickSound::Beep;
    bool accentPitch = false;
    float level = 0.0F; // 0 for a click not heard
};

struct Playing {
    int sampleRate = 48000;
    std::int64_t startQuarters = 480; // the start tempo, 4 × beats per minute
    std::int64_t barNumerator = 4;    // the bar's length in beats, a fraction
    std::int64_t barDenominator = 1;
    PracticePlan plan;
};

// Every click, heard or not, from the count-in's first to the last before `frames`.
std::vector<Click> clicks(const Playing& setup, std::int64_t frames);

} // namespace tactora::reference
