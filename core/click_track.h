#pragma once

#include "core/beat_grid.h"
#include "core/click_sounds.h"
#include "core/practice_grid.h"
#include "core/practice_plan.h"

#include <array>
#include <cstdint>
#include <span>

namespace tactora {

// A beat lasts between one frame and 2^40 frames (66 days at 192 kHz); the click renderer
// refuses any other tempo, and a sample rate that is not positive.
bool isPlayableTempo(int sampleRate, double beatsPerMinute);
// From 1 to 10^6 beats per bar, fractions too.
bool isPlayableBarLength(double beatsPerBar);

// A metronome's mono audio, pulled in chunks of any length: each beat a short synthesized
// click at its level of the bar's pattern, split into sub-clicks, after a count-in, with
// silent bars and a tempo trainer as the practice plan says. A click's first sample is its
// loudest and lies at its onset, so it is never silent while its level is above zero (in 16
// bits, above 1/16384). The default plan plays a beep, the bar's first beat higher and louder.
//
// The count-in plays its beats only, no sub-clicks, the first at the accent's pitch and full
// level, the others at the beat's pitch and half of it, whatever the pattern.
//
// Not safe to use from two threads at once: an audio callback and a window changing the
// tempo need a lock around their calls.
class ClickTrack {
public:
    // At 120 beats per minute, 4 beats per bar and full volume; sampleRate must be positive.
    explicit ClickTrack(int sampleRate);

    // From the next beat on: the beat already due keeps its frame and the new tempo counts
    // from it. Refused (false) when not playable, or when the trainer's steps would not reach
    // its target from it within 100000 of them.
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
    // at this rate or its trainer's steps would not reach the target within 100000 of them.
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
    // What a click sounds like; a level of 0 is not heard.
    struct Voice {
        ClickSound sound = ClickSound::Beep;
        bool accentPitch = false;
        float level = 0.0F;
    };

    template <typename Output> void run(std::int64_t frames, Output& output);
    void startDueClicks();
    void startClick();
    void moveToNextClick();
    bool pastTheLastBar() const;
    Voice voiceOf(std::int64_t bar) const;
    void changeFromNextBeat();
    void startSegment();
    PracticeGrid gridFrom(std::int64_t firstBar, std::int64_t startFrame, std::int64_t firstBeatInBar) const;
    void record(const BeatStart& beat);

    int m_sampleRate;
    double m_beatsPerMinute = 120.0;
    double m_beatsPerBar = 4.0;
    float m_volume = 1.0F;
    double m_stopAfterBars = 0.0;
    PracticePlan m_plan;

    ClickSounds m_sounds;
    std::span<const float> m_click; // the one sounding
    std::size_t m_clickPlayed = 0;
    float m_clickLevel = 0.0F;

    PracticeGrid m_grid;
    std::int64_t m_firstBar = 0; // the number of m_grid's bar 0, negative in the count-in
    std::int64_t m_bar = 0;      // of m_grid, the next click's
    std::int64_t m_beatInBar = 0;
    int m_sub = 0;
    int m_beatSubdivisions = 1; // of the beat in progress
    bool m_beatHeard = false;   // neither silent nor in a silent bar
    bool m_changeDue = false;   // a tempo, bar length or trainer waiting for the next beat
    ClickOnset m_next;
    std::int64_t m_position = 0;
    std::int64_t m_barsStarted = 0; // of the music
    bool m_finished = false;
    std::array<BeatStart, maxBeatsPerCall> m_beats{}; // a ring while a call runs
    std::size_t m_beatsCounted = 0;
};

} // namespace tactora
