#pragma once

#include "core/practice_plan.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tactora {

// Where one click starts, in frames from the start of the track, and whether it opens a bar.
struct ClickOnset {
    std::int64_t frame = 0;
    bool accent = false;

    friend bool operator==(const ClickOnset& a, const ClickOnset& b) = default;
};

// A beat lasts between one frame and 2^40 frames (66 days at 192 kHz); the click renderer
// refuses any other tempo, and a sample rate that is not positive.
bool isPlayableTempo(int sampleRate, double beatsPerMinute);
// From 1 to 10^6 beats per bar, fractions too.
bool isPlayableBarLength(double beatsPerBar);

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
    // Its place in its bar, 0 for the bar's first beat.
    std::int64_t beatInBar(std::int64_t beat) const;
    // Beats in a full bar: 4 for 4 beats, 4 for 3.5.
    std::int64_t beatsInBar() const { return m_beatsInBar; }

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

// A metronome's mono audio, pulled in chunks of any length: each beat is a short decaying
// sine burst, the first beat of a bar higher and louder. A click's first sample is its
// loudest and lies at its onset, so it is never silent while the volume is above zero
// (in 16 bits, above 1/16384).
//
// Not safe to use from two threads at once: an audio callback and a window changing the
// tempo need a lock around their calls.
class ClickTrack {
public:
    static constexpr double clickSeconds = 0.015;
    static constexpr double accentHertz = 1760.0;
    static constexpr double beatHertz = 1320.0;
    static constexpr float beatLevel = 0.5F; // of the accent's

    // At 120 beats per minute, 4 beats per bar and full volume; sampleRate must be positive.
    explicit ClickTrack(int sampleRate);

    // From the next beat on: the beat already due keeps its frame and the new tempo counts
    // from it. Refused (false) when not playable.
    bool setTempo(double beatsPerMinute);
    // From the next beat on too: the bar in progress takes the new length, and when it
    // already holds that many beats the next beat opens a new bar. Refused when not playable.
    bool setBeatsPerBar(double beatsPerBar);
    // 0 to 1, at once; outside values are taken to the nearest end.
    void setVolume(double volume);
    // After this many bars the track falls silent and finished() becomes true at the first
    // beat past their end; 0 for never. Bars already played count. Of a fractional last bar
    // (2.5 bars) the beats that start within its fraction are heard.
    void setStopAfterBars(double bars);
    // The pattern, subdivisions, sounds, levels and muted bars from the next beat on; the
    // count-in from the next restart(); a changed trainer starts over from the next beat, at
    // the tempo last set. Refused (false), with nothing changed, when the plan is not valid
    // at this rate.
    bool setPlan(const PracticePlan& plan);
    // Back to the first beat of a bar at frame 0 (the count-in's first, if any), with the
    // settings kept.
    void restart();
    // Where bar `bar` starts, in frames from frame 0, when nothing changes after restart():
    // bar 0 is the first of the count-in, or the music's first when there is none. Rounded
    // once from its exact distance, as its onset is.
    std::int64_t barFrame(std::int64_t bar) const;

    // Fills the whole buffer and moves on by its length; samples from -1 to 1.
    void render(std::span<float> out);
    void render(std::span<std::int16_t> out);
    // Moves on as rendering would, without the audio.
    void skip(std::int64_t frames);

    std::int64_t position() const { return m_position; }
    // The next click to start; meaningless once finished.
    ClickOnset nextOnset() const { return m_next; }
    bool finished() const { return m_finished; }
    // The beats whose onset lay in the last render() or skip(), oldest first; the latest
    // maxBeatsPerCall of them when there were more.
    static constexpr std::size_t maxBeatsPerCall = 64;
    std::span<const BeatStart> beatsStarted() const;
    int sampleRate() const { return m_sampleRate; }

private:
    template <typename Output> void run(std::int64_t frames, Output& output);
    void startDueBeats();
    bool pastTheLastBar() const;
    void startSegment(double beatsPerMinute, double beatsPerBar);

    int m_sampleRate;
    double m_beatsPerMinute = 120.0;
    double m_beatsPerBar = 4.0;
    float m_volume = 1.0F;
    double m_stopAfterBars = 0.0;

    std::vector<float> m_accentClick;
    std::vector<float> m_beatClick;
    const std::vector<float>* m_click = nullptr; // the one sounding
    std::size_t m_clickPlayed = 0;

    BeatGrid m_grid;
    std::int64_t m_beat = 0; // of m_grid, the next to start
    ClickOnset m_next;
    std::int64_t m_position = 0;
    std::int64_t m_barsStarted = 0;
    bool m_finished = false;
};

} // namespace tactora
