#pragma once

#include <cstdint>

namespace tactora {

// Where one click starts, in frames from the start of the track, and whether it opens a bar.
struct ClickOnset {
    std::int64_t frame = 0;
    bool accent = false;

    friend bool operator==(const ClickOnset& a, const ClickOnset& b) = default;
};

// The beats of one constant tempo and bar length, from a first beat on.
//
// The tempo is taken exactly as the double it is, so frames per beat is a fraction held in
// whole numbers. The bar length is held as the nearest fraction with a denominator of at
// most 1000: 3.5 is 7/2 and a third typed to many places is 10/3. A bar of 3.5 beats has
// beats at its start + 0, 1, 2 and 3 beats, and the next bar starts 3.5 beats after it.
//
// Every onset is rounded once, halves to the later frame, from its exact distance to the
// first beat in beats (bars times the bar length plus the beat in the bar), so nothing
// drifts however long the tempo lasts.
class BeatGrid {
public:
    // The values must be playable. firstBeatInBar is the place in its bar of the first
    // beat (0 for a bar start), less than beatsInBar().
    BeatGrid(int sampleRate, double beatsPerMinute, double beatsPerBar, std::int64_t startFrame = 0,
             std::int64_t firstBeatInBar = 0);

    // Beat 0 is the first beat, at startFrame.
    ClickOnset onset(std::int64_t beat) const;
    // Click `sub` of the `subdivisions` (1 to 8) that split beat `beatInBar` of bar `bar`, bar 0
    // being the one that holds the first beat: (beat + sub / subdivisions) beats after the bar's
    // start, rounded once from the exact distance.
    std::int64_t frameAt(std::int64_t bar, std::int64_t beatInBar, int sub, int subdivisions) const;
    // Its place in its bar, 0 for the bar's first beat.
    std::int64_t beatInBar(std::int64_t beat) const;
    // Beats in a full bar: 4 for 4 beats, 4 for 3.5.
    std::int64_t beatsInBar() const { return m_beatsInBar; }
    // True when that click starts before its bar ends: in a bar of 3.5 beats, the second half
    // of the last beat belongs to the next bar.
    bool startsInBar(std::int64_t beatInBar, int sub, int subdivisions) const;
    std::int64_t barNumerator() const { return m_barNumerator; }
    std::int64_t barDenominator() const { return m_barDenominator; }

private:
    std::uint64_t m_twiceNumeratorHigh = 0; // twice the frames per beat times m_denominator
    std::uint64_t m_twiceNumeratorLow = 0;
    std::uint64_t m_denominator = 1; // including the bar length's denominator
    std::int64_t m_barNumerator = 1; // the bar length in beats, over m_barDenominator
    std::int64_t m_barDenominator = 1;
    std::int64_t m_beatsInBar = 1;
    std::int64_t m_firstBeatInBar = 0;
    std::int64_t m_startFrame = 0;
};

} // namespace tactora
