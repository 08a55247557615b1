#pragma once

#include "audio/output_click_player.h"

// The click player on a PulseAudio (or PipeWire) server, through PulseOutput.
class PulseClickPlayer final : public OutputClickPlayer {
public:
    PulseClickPlayer();
};
