#pragma once

#include "core/big_unsigned.h"

#include <compare>
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
    // By 2^exponent, exactly: a scale that no double holds, such as a tempo's binary exponent
    // and a shift's whole octaves together.
    void multiplyByPowerOfTwo(int exponent);
    // Less a smaller value; the class holds positive values only, so the result is above zero.
    ExactFraction& operator-=(const ExactFraction& smaller);

    friend std::strong_ordering operator<=>(const ExactFraction& a, const ExactFraction& b);
    friend bool operator==(const ExactFraction& a, const ExactFraction& b) { return (a <=> b) == 0; }

    // True when the value is beyond the largest double.
    bool exceedsDoubles() const;
    // True when the value is below the least positive double: no double but zero is nearer,
    // yet the value is not zero.
    bool belowDoubles() const;

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
