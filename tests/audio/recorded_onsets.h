#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

// What the sound tests' checks read from a recording of the null sink (raw 16-bit mono,
// little-endian) and find in it: the clicks, each at its first sample after a silence.
namespace recorded {

struct Onset {
    std::int64_t frame;
    int level;
};

inline std::vector<std::int16_t> read(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> audio(bytes.size() / 2);
    for (std::size_t i = 0; i < audio.size(); ++i) {
        audio[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                             (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8U));
    }
    return audio;
}

// A click starts at its loudest sample: the first of at least onsetLevel after silentFrames
// samples of at most silentLevel (or at the start).
inline std::vector<Onset> onsets(const std::vector<std::int16_t>& audio, int onsetLevel) {
    constexpr int silentLevel = 4;
    constexpr std::int64_t silentFrames = 1000;
    std::vector<Onset> found;
    std::int64_t quietFor = silentFrames;
    for (std::size_t i = 0; i < audio.size(); ++i) {
        const int level = std::abs(static_cast<int>(audio[i]));
        if (level >= onsetLevel && quietFor >= silentFrames) {
            found.push_back({static_cast<std::int64_t>(i), level});
        }
        quietFor = level <= silentLevel ? quietFor + 1 : 0;
    }
    return found;
}

} // namespace recorded
