#pragma once

#include <QString>
#include <QtPlugin>

#include <cstdint>
#include <functional>
#include <memory>

// What the metronome plays: beat n of a constant tempo falls at round(n × 60 × rate / tempo)
// frames from the tempo's first beat.
struct ClickSettings {
    double beatsPerMinute = 120.0;
    double beatsPerBar = 4.0;
    double stopAfterBars = 0.0; // 0 for never
    double volume = 1.0;        // 0 to 1
};

// Why playing ended without a call to stop().
enum class ClickPlayerEnd {
    Finished,    // the last bar was played
    DeviceFailed // the output device went away or refused the audio
};

// The metronome's sound, rendered to the sample in the audio device's own callback. Made by
// the audio plugin, which the program loads only when the metronome first opens: the sound
// system's libraries would otherwise slow every start.
class ClickPlayer {
public:
    ClickPlayer() = default;
    ClickPlayer(const ClickPlayer&) = delete;
    ClickPlayer& operator=(const ClickPlayer&) = delete;
    virtual ~ClickPlayer() = default;

    // The default output device's name; empty when the system has none.
    virtual QString deviceName() const = 0;
    // Its sample rate, which the beats are counted in; 0 without a device.
    virtual int sampleRate() const = 0;
    // Starts from a bar's first beat on the default device. False, with nothing playing, when
    // there is none or it refuses the settings.
    virtual bool start(const ClickSettings& settings) = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    // How far the playing under way has got: the frames the device reports played since
    // start(), the silence before the first beat included; 0 when nothing plays.
    virtual std::int64_t framesPlayed() const = 0;
    // While playing: tempo, bar length and the bars to stop after from the next beat not yet
    // rendered, the volume at once.
    virtual void change(const ClickSettings& settings) = 0;
    // Called on the thread that made the player when playing ends by itself.
    virtual void setEndHandler(std::function<void(ClickPlayerEnd)> handler) = 0;
};

class ClickPlayerFactory {
public:
    ClickPlayerFactory() = default;
    ClickPlayerFactory(const ClickPlayerFactory&) = delete;
    ClickPlayerFactory& operator=(const ClickPlayerFactory&) = delete;
    virtual ~ClickPlayerFactory() = default;

    virtual std::unique_ptr<ClickPlayer> createPlayer() = 0;
};

// The number grows with every change of these interfaces, so that the program never loads a
// plugin built against others.
#define ClickPlayerFactory_iid "org.tactora.Tactora2004.ClickPlayerFactory/2"
Q_DECLARE_INTERFACE(ClickPlayerFactory, ClickPlayerFactory_iid)

// The audio plugin's factory: built into the program (a static build), or loaded from the
// program's library folder on first use. Null, with the reason in *error, when it cannot be.
ClickPlayerFactory* clickPlayerFactory(QString* error);
