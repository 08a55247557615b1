#pragma once

#include <array>
#include <cstdint>

namespace tactora {

// How loud one beat of the bar's pattern plays.
enum class BeatLevel : std::uint8_t {
    Accent, // full level, the accent's own pitch
    Normal, // half the accent's level
    Soft,   // a quarter of it
    Silent  // nothing heard; the beat still counts and its lamp still lights
};

// The synthesized sounds a click can be made of; no sample files.
enum class ClickSound : std::uint8_t { Beep, WoodBlock, SoftTick, Cowbell };
inline constexpr int clickSoundCount = 4;

// Speeds up (or slows down) by itself from the playing's tempo to a target, then holds it.
// The tempo of each bar follows from its number alone; the count-in plays at the start tempo.
struct TempoTrainer {
    enum class Kind : std::uint8_t {
        Off,
        Steps, // bar k plays at start + step × floor(k / bars), never past the target
        Ramp   // bar k plays at start + (target − start) × min(k, bars) / bars
    };
    Kind kind = Kind::Off;
    double targetBeatsPerMinute = 160.0;
    double stepBeatsPerMinute = 5.0; // Steps: the size of each step, taken toward the target
    int bars = 4;                    // Steps: the bars between steps; Ramp: the bars to the target
};

// Everything a practice metronome plays besides its tempo and bar length, which come from the
// main window. A plain value, copied to the audio thread without allocating.
struct PracticePlan {
    static constexpr int maxPatternBeats = 64; // beats past these play Normal
    static constexpr int maxSubdivisions = 8;
    static constexpr int maxCountInBars = 4;

    // Beat 0 is the bar's first; the first beat is accented by default.
    std::array<BeatLevel, maxPatternBeats> pattern = accentedFirst();
    int subdivisions = 1;          // clicks per beat, 1 to maxSubdivisions
    double subdivisionLevel = 0.5; // of the accent's, 0 to 1
    ClickSound accentSound = ClickSound::Beep;
    ClickSound beatSound = ClickSound::Beep;
    ClickSound subdivisionSound = ClickSound::SoftTick;
    ClickSound countInSound = ClickSound::WoodBlock;
    int countInBars = 0; // 0 to maxCountInBars, played before the first bar
    // Play playedBars, stay silent mutedBars, repeat; mutedBars 0 for never silent.
    int playedBars = 4;
    int mutedBars = 0;
    TempoTrainer trainer;

    static constexpr std::array<BeatLevel, maxPatternBeats> accentedFirst() {
        std::array<BeatLevel, maxPatternBeats> levels{};
        levels.fill(BeatLevel::Normal);
        levels[0] = BeatLevel::Accent;
        return levels;
    }
};

// True when every field lies in its range and the trainer's target and step are playable at
// this rate (a step of 0 is refused, as is a trainer of more than 100000 steps).
bool isValidPlan(const PracticePlan& plan, int sampleRate);

// One beat as it starts: the window lights its lamp when the device has played its onset.
struct BeatStart {
    std::int64_t frame = 0;     // its onset, in frames from the playing's first frame
    std::int64_t bar = 0;       // the music's bars from 0; the count-in's are −countInBars to −1
    std::int32_t beatInBar = 0; // 0 for the bar's first beat
    double beatsPerMinute = 0;  // the tempo this beat plays at (the trainer's, while it runs)
    bool muted = false;         // in a silent bar of the muted-bars cycle

    friend bool operator==(const BeatStart& a, const BeatStart& b) = default;
};

} // namespace tactora
