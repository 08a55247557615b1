#include "core/wide_unsigned.h"

namespace tactora {
namespace {

bool notBelow(Wide a, Wide b) {
    return a.high != b.high ? a.high > b.high : a.low >= b.low;
}

Wide subtract(Wide a, Wide b) {
    return {a.high - b.high - (a.low < b.low ? 1U : 0U), a.low - b.low};
}

} // namespace

Wide multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t mask = 0xFFFFFFFFU;
    const std::uint64_t aLow = a & mask;
    const std::uint64_t aHigh = a >> 32U;
    const std::uint64_t bLow = b & mask;
    const std::uint64_t bHigh = b >> 32U;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t middle1 = aHigh * bLow + (lowLow >> 32U);
    const std::uint64_t middle2 = aLow * bHigh + (middle1 & mask);
    return {aHigh * bHigh + (middle1 >> 32U) + (middle2 >> 32U), (middle2 << 32U) | (lowLow & mask)};
}

Wide multiply(std::uint64_t a, Wide b) {
    Wide product = multiply(a, b.low);
    product.high += a * b.high;
    return product;
}

Wide add(Wide a, Wide b) {
    const std::uint64_t low = a.low + b.low;
    return {a.high + b.high + (low < a.low ? 1U : 0U), low};
}

Wide shiftLeft(Wide a, int bits) {
    for (int i = 0; i < bits; ++i) {
        a = {(a.high << 1U) | (a.low >> 63U), a.low << 1U};
    }
    return a;
}

// Long division a bit at a time. The remainder stays below the divisor, so below 2^128
// once shifted while the divisor is below 2^127.
std::uint64_t divide(Wide a, Wide divisor) {
    Wide remainder;
    std::uint64_t quotient = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const std::uint64_t word = bit >= 64 ? a.high : a.low;
        remainder = shiftLeft(remainder, 1);
        remainder.low |= (word >> static_cast<unsigned>(bit % 64)) & 1U;
        quotient <<= 1U;
        if (notBelow(remainder, divisor)) {
            remainder = subtract(remainder, divisor);
            quotient |= 1U;
        }
    }
    return quotient;
}

} // namespace tactora
