#pragma once

#include "core/entry_rules.h"
#include "core/tempo.h"

#include <QString>

// What the main window's latest recalculation came to, for the windows that follow it: the
// figures its results were computed from, or why it could not show any.
struct CalcOutcome {
    enum class Kind {
        None,    // nothing calculated yet
        Results, // the results shown come from the figures below
        Failure  // the latest recalculation showed no results, for the reason given
    };

    Kind kind = Kind::None;
    // Whether the figures below belong to results on screen: after a failure, to the earlier
    // results the main window kept.
    bool resultsShown = false;
    tactora::TempoKind tempoKind = tactora::TempoKind::BeatsPerMinute;
    double tempo = 0.0;
    double bars = 0.0;
    double beatsPerBar = 0.0;
    double unitFactor = 1.0;       // 1 for seconds, 1000 for milliseconds
    tactora::TempoResults results; // as the result boxes show them
    QString reason;                // a clause in lower case, for a failure

    // The tempo in beats per minute, whichever kind of tempo the main window holds.
    [[nodiscard]] double beatsPerMinute() const {
        return tempoKind == tactora::TempoKind::CyclesPerSecond ? tempo * 60.0 : tempo;
    }
};
