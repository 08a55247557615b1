#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace tactora {

// The clicks found in a stretch of audio, as a person listening would: a sound after at least
// 16 silent frames, with the level of its first sample. `silent` carries the silence from one
// stretch to the next; start it at 16.
inline void findClicks(const std::vector<float>& audio, std::int64_t first, int& silent,
                       std::vector<std::pair<std::int64_t, float>>& found) {
    for (std::size_t i = 0; i < audio.size(); ++i) {
        if (audio[i] != 0.0F && silent >= 16) {
            found.emplace_back(first + static_cast<std::int64_t>(i), audio[i]);
        }
        silent = audio[i] == 0.0F ? silent + 1 : 0;
    }
}

} // namespace tactora
