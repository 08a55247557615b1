#include "audio/pulse_click_player.h"

#include "audio/pulse_output.h"

#include <utility>

PulseClickPlayer::PulseClickPlayer()
    : OutputClickPlayer(
          [](std::function<void()> changed) { return std::make_unique<PulseOutput>(std::move(changed)); },
          PulseOutput::latencyMilliseconds) {}
