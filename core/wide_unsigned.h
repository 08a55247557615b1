#pragma once

#include <cstdint>

namespace tactora {

// An unsigned number of 128 bits: the exact distances of the click grid need up to about
// 2^120 before the one division that rounds them, more than any built-in type holds on every
// compiler.
struct Wide {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
};

Wide multiply(std::uint64_t a, std::uint64_t b);
// a times the wide b; the product must be below 2^128.
Wide multiply(std::uint64_t a, Wide b);
Wide add(Wide a, Wide b);
Wide shiftLeft(Wide a, int bits);
// The whole quotient, which must be below 2^64; the divisor must not be 0.
std::uint64_t divide(Wide a, Wide divisor);

} // namespace tactora
