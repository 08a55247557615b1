#include "core/exact_fraction.h"

#include "core/binary_double.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace tactora {

namespace {

constexpr int digitCount = 15;

void multiplyByPowerOfTen(BigUnsigned& value, int power) {
    // Nine at a time: the most that fits one 32-bit factor.
    for (; power >= 9; power -= 9) {
        value *= 1000000000U;
    }
    for (; power > 0; --power) {
        value *= 10U;
    }
}

} // namespace

ExactFraction::ExactFraction(std::uint64_t numerator, std::uint64_t denominator)
    : m_numerator(numerator), m_denominator(denominator) {}

void ExactFraction::multiply(double factor) {
    const BinaryDouble binary = binaryOf(factor);
    m_numerator *= BigUnsigned(binary.mantissa);
    m_numerator <<= binary.exponent;
    m_denominator <<= -binary.exponent;
}

void ExactFraction::divide(double divisor) {
    const BinaryDouble binary = binaryOf(divisor);
    m_denominator *= BigUnsigned(binary.mantissa);
    m_denominator <<= binary.exponent;
    m_numerator <<= -binary.exponent;
}

void ExactFraction::invert() {
    std::swap(m_numerator, m_denominator);
}

void ExactFraction::multiplyByPowerOfTwo(int exponent) {
    m_numerator <<= exponent;
    m_denominator <<= -exponent;
}

ExactFraction& ExactFraction::operator-=(const ExactFraction& smaller) {
    // a/b - c/d = (ad - cb) / bd
    BigUnsigned subtrahend = smaller.m_numerator;
    subtrahend *= m_denominator;
    m_numerator *= smaller.m_denominator;
    m_numerator -= subtrahend;
    m_denominator *= smaller.m_denominator;
    return *this;
}

std::strong_ordering operator<=>(const ExactFraction& a, const ExactFraction& b) {
    BigUnsigned left = a.m_numerator;
    left *= b.m_denominator;
    BigUnsigned right = b.m_numerator;
    right *= a.m_denominator;
    return left <=> right;
}

bool ExactFraction::exceedsDoubles() const {
    ExactFraction largest(1, 1);
    largest.multiply(std::numeric_limits<double>::max());
    return *this > largest;
}

bool ExactFraction::belowDoubles() const {
    ExactFraction least(1, 1);
    least.multiply(std::numeric_limits<double>::denorm_min());
    return *this < least;
}

ExactFraction::Digits ExactFraction::significantDigits() const {
    BigUnsigned remainder = m_numerator;
    BigUnsigned divisor = m_denominator;
    // log10(2) < 0.30103 puts the first guess within one of the decimal exponent.
    int exponent =
        static_cast<int>(std::floor((remainder.bitLength() - divisor.bitLength()) * 0.30102999566398120));
    multiplyByPowerOfTen(exponent >= 0 ? divisor : remainder, std::abs(exponent));
    BigUnsigned tenfold = divisor;
    tenfold *= 10U;
    while (remainder >= tenfold) {
        divisor = tenfold;
        tenfold *= 10U;
        ++exponent;
    }
    while (remainder < divisor) {
        remainder *= 10U;
        --exponent;
    }

    // Now 1 <= remainder / divisor < 10: one digit a step, by subtraction.
    std::string digits;
    for (int i = 0; i < digitCount; ++i) {
        if (i > 0) {
            remainder *= 10U;
        }
        char digit = '0';
        while (remainder >= divisor) {
            remainder -= divisor;
            ++digit;
        }
        digits += digit;
    }

    remainder <<= 1;
    const bool roundUp = remainder > divisor || (remainder == divisor && (digits.back() - '0') % 2 == 1);
    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            // 9.99...95 and above: the rounded value is the next power of ten.
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        } else {
            ++digits[i - 1];
        }
    }
    return {digits, exponent};
}

std::optional<std::int32_t> ExactFraction::nearestWhole() const {
    // Long division, one bit of the quotient a step; a value of 2^32 or more leaves every
    // bit set and rounds beyond the range.
    BigUnsigned remainder = m_numerator;
    std::uint64_t quotient = 0;
    for (int bit = 31; bit >= 0; --bit) {
        BigUnsigned part = m_denominator;
        part <<= bit;
        if (remainder >= part) {
            remainder -= part;
            quotient |= std::uint64_t{1} << bit;
        }
    }
    remainder <<= 1;
    if (remainder > m_denominator || (remainder == m_denominator && quotient % 2 == 1)) {
        ++quotient;
    }
    if (quotient > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(quotient);
}

} // namespace tactora
