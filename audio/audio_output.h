#pragma once

#include "audio/click_player.h"
#include "audio/click_renderer.h"

#include <cstdint>
#include <optional>
#include <string>

// An output that plays the metronome's renderer on a device of the sound system and keeps
// looking for one while it is open: what the player asks of it, whichever the sound system.
// The player's thread calls these; the output's own threads report through the function it
// was made with.
class AudioOutput {
public:
    AudioOutput() = default;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    virtual ~AudioOutput() = default;

    virtual ClickRenderer& renderer() = 0;
    virtual ClickOutput output() const = 0;
    virtual std::string deviceName() const = 0;
    virtual int sampleRate() const = 0;
    // The timeline frame heard now, by the device's latest reports; none before there are
    // enough of them. For one reading thread (the player's).
    virtual std::optional<double> heardFrame() = 0;
    // How many times an open output was lost, and why the last time.
    virtual std::uint64_t losses() const = 0;
    virtual ClickPlayerEnd lastLoss() const = 0;
};
