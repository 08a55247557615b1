#pragma once

#include "core/big_unsigned.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tactora {

// A positive rational number held exactly, so that a result made of several steps is
// rounded once, from its true value, however the steps would have rounded in doubles.
class ExactFraction {
public:
    ExactFraction(std::uint64_t numerator, std::uint64_t denominator);

    // By a positive finite double, exactly.
    void multiply(double factor);
    void divide(double divisor);
    void invert();

    // True when the value is beyond the largest double.
    bool exceedsDoubles() const;

    // The first 15 significant digits, rounded halves to even, and the decimal exponent of
    // the first: 1.64439876670093 is {"164439876670093", 0}.
    struct Digits {
        std::string digits;
        int exponent;
    };
    Digits significantDigits() const;

    // The nearest whole number, halves to even; none beyond the signed 32-bit range.
    std::optional<std::int32_t> nearestWhole() const;

private:
    BigUnsigned m_numerator;
    BigUnsigned m_denominator;
};

} // namespace tactora
