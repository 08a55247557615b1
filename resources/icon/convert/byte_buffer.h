#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace icon {

using Bytes = std::vector<std::uint8_t>;

// Windows file structures are little-endian.
inline void appendLe16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendLe32(Bytes& out, std::uint32_t value) {
    appendLe16(out, value & 0xFFFFu);
    appendLe16(out, value >> 16);
}

// PNG numbers are big-endian.
inline void appendBe32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

inline void appendText(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

} // namespace icon
