#pragma once

#include "audio/output_click_player.h"

// The click player on PortAudio's default output (WASAPI on Windows), through PortAudioOutput.
class PortAudioClickPlayer final : public OutputClickPlayer {
public:
    PortAudioClickPlayer();
};
