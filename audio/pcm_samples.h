#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// The one way a rendered sample becomes a whole number in a file of `bits` bits (16 or 24):
// scaled by the largest positive value, 2^(bits−1) − 1, so that 1 and −1 map to equal
// magnitudes, and rounded to the nearest, halves away from zero. Returned left-justified in
// 32 bits, as libsndfile takes whole numbers for every PCM width, so that its own conversion
// from floats (whose scale differs with its clipping setting) never applies.
inline std::int32_t pcmSample(float sample, int bits) {
    const double largest = static_cast<double>((std::int32_t{1} << (bits - 1)) - 1);
    // The renderer keeps its samples within −1 to 1; a sample past them would wrap round.
    const double clamped = std::clamp(static_cast<double>(sample), -1.0, 1.0);
    return static_cast<std::int32_t>(std::lround(clamped * largest)) * (std::int32_t{1} << (32 - bits));
}
