#pragma once

#include <cmath>
#include <cstdint>

namespace tactora {

// A positive finite double exactly as the whole number mantissa x 2^exponent: the form in
// which arithmetic on whole numbers can take a double at its true value.
struct BinaryDouble {
    std::uint64_t mantissa;
    int exponent;
};

// With the 53-bit mantissa whole, or, reduced, with the mantissa odd.
inline BinaryDouble binaryOf(double value, bool reduced = false) {
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    BinaryDouble binary{static_cast<std::uint64_t>(std::ldexp(fraction, 53)), exponent - 53};
    while (reduced && binary.mantissa % 2 == 0) {
        binary.mantissa /= 2;
        ++binary.exponent;
    }
    return binary;
}

} // namespace tactora
