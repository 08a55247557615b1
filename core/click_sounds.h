#pragma once

#include "core/practice_plan.h"

#include <array>
#include <span>
#include <vector>

namespace tactora {

// Every sound a click can make, synthesized once for a sample rate: each ClickSound at its
// beat's pitch and at its accent's, higher. Each is at most 30 ms long and starts with its
// loudest sample, at 1: a sum of cosines, all at their peak at the onset, under an envelope
// that only falls, so a click is found at its exact frame and never starts silent.
class ClickSounds {
public:
    static constexpr double longestSeconds = 0.030;

    explicit ClickSounds(int sampleRate);

    std::span<const float> sound(ClickSound sound, bool accentPitch) const;

private:
    std::array<std::vector<float>, 2 * static_cast<std::size_t>(clickSoundCount)> m_sounds;
};

} // namespace tactora
