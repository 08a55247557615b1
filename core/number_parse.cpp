#include "core/number_parse.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace tactora {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The number rewritten in C form (full stop decimal, no leading '+'), plus what is needed
// to tell a too-large value from a too-small one when the conversion reports a range error.
struct CForm {
    std::string text;
    bool negative = false;
    // Decimal exponent of the leading non-zero digit, saturated; meaningless for zero.
    std::int64_t magnitude = 0;
};

constexpr std::int64_t exponentCeiling = 1'000'000'000;

std::optional<CForm> toCForm(std::string_view text, std::string_view separator) {
    CForm form;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        form.negative = text[i] == '-';
        if (form.negative) {
            form.text += '-';
        }
        ++i;
    }

    std::int64_t mantissaDigits = 0;
    std::int64_t integerDigits = 0;
    std::int64_t leadingZeros = 0;
    bool seenNonZero = false;
    bool seenSeparator = false;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            if (!seenNonZero && text[i] == '0') {
                ++leadingZeros;
            }
            seenNonZero = seenNonZero || text[i] != '0';
            if (!seenSeparator) {
                ++integerDigits;
            }
            ++mantissaDigits;
            form.text += text[i];
            ++i;
        } else if (!seenSeparator && !separator.empty() && text.substr(i).starts_with(separator)) {
            form.text += '.';
            seenSeparator = true;
            i += separator.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }

    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        form.text += 'e';
        ++i;
        bool exponentNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            form.text += text[i];
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            if (exponent < exponentCeiling) {
                exponent = exponent * 10 + (text[i] - '0');
            }
            form.text += text[i];
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
        if (exponentNegative) {
            exponent = -exponent;
        }
    }

    if (i != text.size()) {
        return std::nullopt;
    }
    form.magnitude = integerDigits - leadingZeros - 1 + exponent;
    return form;
}

} // namespace

std::optional<double> parseNumber(std::string_view text, std::string_view decimalSeparator) {
    const std::optional<CForm> form = toCForm(trimBlanks(text), decimalSeparator);
    if (!form) {
        return std::nullopt;
    }

    double value = 0.0;
    const char* const first = form->text.data();
    const char* const last = first + form->text.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (end != last) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        // The conversion reports both directions alike. A value too small for a double is
        // still a number, whose nearest double is zero (subnormals come back without an error);
        // a value too large is not representable at all.
        if (form->magnitude < 0) {
            return form->negative ? -0.0 : 0.0;
        }
        return std::nullopt;
    }
    if (error != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

} // namespace tactora
