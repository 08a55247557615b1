#include "core/decimal_round.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace tactora {

namespace {

// The smallest subnormal, 2^-1074, has the longest exact expansion: 1074 decimal places.
constexpr int maxFractionDigits = 1074;

// How many decimal places write this double exactly: as many as the binary places of its
// last significant bit (a double in [2^(k-1), 2^k) has its last bit at 2^(k-53)).
int exactFractionDigits(double magnitude) {
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    const int digits = 53 - exponent;
    return digits < 0 ? 0 : (digits > maxFractionDigits ? maxFractionDigits : digits);
}

// Adds one unit at the last digit of a plain decimal string (digits and one '.'),
// carrying to the left; may grow the string by a leading '1'.
void incrementLastDigit(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '.') {
            continue;
        }
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::optional<double> roundToPlaces(double value, int places) {
    if (places < 0 || !std::isfinite(value)) {
        return std::nullopt;
    }
    const double magnitude = std::fabs(value);
    const int fractionDigits = exactFractionDigits(magnitude);
    if (places >= fractionDigits) {
        return value; // nothing beyond that place to round away
    }

    // 309 integer digits + '.' + 1074 fraction digits fit comfortably.
    std::array<char, 1500> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                       std::chars_format::fixed, fractionDigits);
    if (written.ec != std::errc{}) {
        return std::nullopt;
    }
    const std::string_view exact(buffer.data(), static_cast<std::size_t>(written.ptr - buffer.data()));

    const std::size_t point = exact.find('.');
    const std::size_t keep = point + 1 + static_cast<std::size_t>(places);
    std::string rounded(exact.substr(0, keep));
    const std::string_view dropped = exact.substr(keep);

    // Half to even: up when the dropped part exceeds one half, or is exactly one half and
    // the kept last digit is odd.
    const char first = dropped.empty() ? '0' : dropped.front();
    const bool restNonZero =
        dropped.size() > 1 && dropped.substr(1).find_first_not_of('0') != std::string_view::npos;
    const char lastKept = rounded.back() == '.' ? rounded[rounded.size() - 2] : rounded.back();
    const bool odd = (lastKept - '0') % 2 == 1;
    if (first > '5' || (first == '5' && (restNonZero || odd))) {
        incrementLastDigit(rounded);
    }

    double result = 0.0;
    const auto read =
        std::from_chars(rounded.data(), rounded.data() + rounded.size(), result, std::chars_format::fixed);
    if (read.ec != std::errc{}) {
        return std::nullopt;
    }
    return std::signbit(value) ? -result : result;
}

double round15(double value) {
    return roundToPlaces(value, 15).value_or(value);
}

} // namespace tactora
