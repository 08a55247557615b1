#pragma once

#include "core/practice_plan.h"

#include <QString>
#include <QtPlugin>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// What the metronome plays: beat n of a constant tempo falls at round(n × 60 × rate / tempo)
// frames from the tempo's first beat.
struct ClickSettings {
    double beatsPerMinute = 120.0;
    double beatsPerBar = 4.0;
    double stopAfterBars = 0.0; // 0 for never; the music's bars, the count-in not counted
    double volume = 1.0;        // 0 to 1
    tactora::PracticePlan plan;
};

// Where the sound goes, as far as the player knows now.
enum class ClickOutput {
    Searching, // no sound server or output device; the player keeps looking for one
    Ready,     // an output is open and takes the clicks as soon as they start
    Suspended  // the sound server has suspended the device: nothing is heard
};

// Why playing ended without a call to stop().
enum class ClickPlayerEnd {
    Finished,   // the last bar was played
    DeviceLost, // the output device went away or refused the audio
    ServerLost  // the sound server went away
};

// The metronome's sound, rendered to the sample on the audio device's own timeline: a click
// the device could not take in time is dropped, never shifted, so every later click stays on
// the grid. Made by the audio plugin, which the program loads only when the metronome first
// opens: the sound system's libraries would otherwise slow every start.
class ClickPlayer {
public:
    ClickPlayer() = default;
    ClickPlayer(const ClickPlayer&) = delete;
    ClickPlayer& operator=(const ClickPlayer&) = delete;
    virtual ~ClickPlayer() = default;

    // Opens the default output and keeps it open, silent, until closeOutput(): a start then
    // sounds at once. While there is none, the player keeps looking.
    virtual void openOutput() = 0;
    virtual void closeOutput() = 0;
    virtual ClickOutput output() const = 0;
    // The output device's name and its sample rate, which the beats are counted in; empty and
    // 0 while there is none.
    virtual QString deviceName() const = 0;
    virtual int sampleRate() const = 0;
    // The latency the player asks of the output, in milliseconds: how long a click takes from
    // being rendered to being heard, at most.
    virtual int latencyMilliseconds() const = 0;

    // Starts from a bar's first beat. False, with nothing playing, while the output is not
    // ready or it refuses the settings.
    virtual bool start(const ClickSettings& settings) = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // How far this playing has got: the frames heard since its first beat; 0 when stopped.
    virtual std::int64_t framesPlayed() const = 0;
    // The latest beat of this playing whose onset the device has played (framesPlayed()
    // reached its frame), not the latest rendered; none before the first or when stopped.
    virtual std::optional<tactora::BeatStart> beatHeard() const = 0;
    // While playing: tempo, bar length and the bars to stop after from the next beat not yet
    // rendered, the volume at once.
    virtual void change(const ClickSettings& settings) = 0;

    // Called on the thread that made the player when playing ends by itself.
    virtual void setEndHandler(std::function<void(ClickPlayerEnd)> handler) = 0;
    // Called on that thread when the output, its device or its rate changes.
    virtual void setOutputHandler(std::function<void()> handler) = 0;
};

// A click track to keep: what the metronome would play with these settings, from the
// count-in's first frame to the end of the music's `bars` (settings.stopAfterBars is not
// used), written at this rate and format by the same rendering the device plays.
enum class ClickFileFormat { Wav16, Wav24, WavFloat32, Flac16, Flac24 };
struct ClickExport {
    ClickSettings settings;
    int bars = 8;
    int sampleRate = 48000;
    ClickFileFormat format = ClickFileFormat::Wav24;
    QString path;
};
struct ClickExportOutcome {
    enum class Result { Written, Cancelled, Failed };
    Result result = Result::Failed;
    QString problem; // why it failed, in words for the user; the message names the file
};

class ClickPlayerFactory {
public:
    ClickPlayerFactory() = default;
    ClickPlayerFactory(const ClickPlayerFactory&) = delete;
    ClickPlayerFactory& operator=(const ClickPlayerFactory&) = delete;
    virtual ~ClickPlayerFactory() = default;

    virtual std::unique_ptr<ClickPlayer> createPlayer() = 0;
    // Writes the track beside the path and renames it into place once complete, so that a
    // failed or cancelled export leaves no file and an existing one untouched. Callable from
    // any thread; progress(fraction done) is called from that thread now and then, and a
    // false from it cancels.
    virtual ClickExportOutcome exportClickTrack(const ClickExport& request,
                                                const std::function<bool(double)>& progress) = 0;
};

// Raised with every change of the interface, so that a plugin built for another is refused
// rather than called wrongly.
#define ClickPlayerFactory_iid "org.tactora.Tactora2004.ClickPlayerFactory/4"
Q_DECLARE_INTERFACE(ClickPlayerFactory, ClickPlayerFactory_iid)

// The audio plugin's factory: built into the program (a static build), or loaded from the
// program's library folder on first use. Null, with the reason in *error, when it cannot be.
ClickPlayerFactory* clickPlayerFactory(QString* error);
