#include "audio/portaudio_click_player.h"

#include "audio/portaudio_output.h"

#include <utility>

PortAudioClickPlayer::PortAudioClickPlayer()
    : OutputClickPlayer(
          [](std::function<void()> changed) { return std::make_unique<PortAudioOutput>(std::move(changed)); },
          PortAudioOutput::latencyMilliseconds) {}
