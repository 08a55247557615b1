#include "core/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace tactora {

namespace {

constexpr int significantDigits = 15;

// Plain decimal notation is used for decimal exponents in this range, scientific beyond.
constexpr int plainLowestExponent = -4;
constexpr int plainHighestExponent = 14;

// The first 15 significant digits of the largest double, 1.7976931348623157E+308, cut
// rather than rounded, and its decimal exponent.
constexpr std::string_view largestDoubleDigits = "179769313486231";
constexpr int largestDoubleExponent = 308;

void dropTrailingZeros(std::string& digits) {
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
}

} // namespace

std::string formatNumber(double value, std::string_view decimalSeparator) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    if (value == 0.0) {
        return "0"; // also for -0.0, which the user has no use for
    }

    // "d.dddddddddddddde+XXX": the digits come already rounded to 15 significant ones, and
    // the exponent is that of the rounded value, so 9.999999999999999e14 counts as 1e15.
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                       std::chars_format::scientific, significantDigits - 1);
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));
    const std::size_t ePos = scientific.find('e');

    std::string digits; // the significant digits without the point
    for (const char c : scientific.substr(0, ePos)) {
        if (c != '.') {
            digits += c;
        }
    }

    int exponent = 0;
    const std::string_view exponentText = scientific.substr(ePos + 1);
    const char* exponentFirst = exponentText.data();
    if (*exponentFirst == '+') {
        ++exponentFirst; // from_chars takes a minus sign but no plus sign
    }
    std::from_chars(exponentFirst, exponentText.data() + exponentText.size(), exponent);

    return (value < 0 ? "-" : "") + formatDigits(digits, exponent, decimalSeparator);
}

std::string formatDigits(std::string digits, int exponent, std::string_view decimalSeparator) {
    // Rounded up, the few largest doubles would show 1.79769313486232E+308, a number beyond
    // the double range that no entry accepts and no result box can load back; cut instead.
    if (exponent == largestDoubleExponent && digits > largestDoubleDigits) {
        digits = largestDoubleDigits;
    }
    dropTrailingZeros(digits);

    std::string out;
    if (exponent >= plainLowestExponent && exponent <= plainHighestExponent) {
        if (exponent < 0) {
            out += '0';
            out += decimalSeparator;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                out += digits;
                out.append(integerDigits - digits.size(), '0');
            } else {
                out.append(digits, 0, integerDigits);
                out += decimalSeparator;
                out.append(digits, integerDigits);
            }
        }
        return out;
    }

    out += digits.front();
    if (digits.size() > 1) {
        out += decimalSeparator;
        out.append(digits, 1);
    }
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const int absExponent = std::abs(exponent);
    if (absExponent < 10) {
        out += '0';
    }
    out += std::to_string(absExponent);
    return out;
}

} // namespace tactora
