#pragma once

// What a practice plan must play, worked out the long way with exact fractions: every bar's
// start is the exact sum of the bars before it, every click rounded once, halves to the later
// frame. Tempos are given in quarters of a beat per minute, so that every one the trainer
// reaches is an exact fraction and the double the track is handed is exactly it.

#include "core/practice_plan.h"

#include <cstdint>
#include <vector>

namespace tactora::reference {

__extension__ typedef unsigned __int128 Whole; // NOLINT: GCC's, also with MinGW

struct Fraction {
    Whole numerator = 0;
    Whole denominator = 1;
};

struct Click {
    std::int64_t frame = 0;
    ClickSound sound = ClickSound::Beep;
    bool accentPitch = false;
    float level = 0.0F; // 0 for a click not heard
    bool beat = false;  // the beat's own click, not a sub-click
    std::int64_t bar = 0;
    std::int32_t beatInBar = 0;
    double beatsPerMinute = 0.0;
    bool muted = false;
    bool tie = false; // its exact frame lies halfway between two
};

struct Playing {
    int sampleRate = 48000;
    std::int64_t startQuarters = 480; // the start tempo, 4 × beats per minute
    std::int64_t barNumerator = 4;    // the bar's length in beats, a fraction
    std::int64_t barDenominator = 1;
    PracticePlan plan;
};

// The tempo of music bar k, in quarters.
std::int64_t tempoQuarters(const Playing& setup, std::int64_t bar);
// Every click, heard or not, from the count-in's first to the last before `frames`.
std::vector<Click> clicks(const Playing& setup, std::int64_t frames);
// Where bar `bar` starts, bar 0 being the count-in's first.
std::int64_t barStart(const Playing& setup, std::int64_t bar);

} // namespace tactora::reference
