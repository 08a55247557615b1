// Number text in and out, checked against the C library's own reading and writing:
// - a text is read as a number exactly when strtod reads the same text (its separator
//   turned into a full stop) to its end without leaving the double range, and then to the
//   same double, sign of zero included; the entry rules accept exactly what reads as a
//   number within their limits;
// - a displayed value reads back as the value rounded to 15 significant digits (cut where
//   rounding up would leave the double range), shows again as the same text, and takes the
//   scientific form exactly outside exponents -4..14;
// - rounding to decimal places gives what printf's exact rounding gives.
//
// The first byte of an input picks the decimal separator (',' a comma, 'm' a middle dot of
// two bytes, anything else a full stop); the rest is the text. The first eight bytes also
// serve as a raw double and the next two as a number of decimal places.

#include "tests/fuzz/fuzz_check.h"

#include "core/decimal_round.h"
#include "core/entry_rules.h"
#include "core/number_format.h"
#include "core/number_parse.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using tactora::fuzz::require;

std::string_view separatorFor(char selector) {
    switch (selector) {
    case ',':
        return ",";
    case 'm':
        return "\xC2\xB7";
    default:
        return ".";
    }
}

bool sameDouble(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

double readWithStrtod(const std::string& cText) {
    return std::strtod(cText.c_str(), nullptr);
}

// The C library's reading of the text: blanks trimmed, only digits, signs, exponent letters
// and the separator allowed (so no hex, "inf" or "nan"), the separator made a full stop.
std::optional<double> referenceReading(std::string_view text, std::string_view separator) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    std::string cText;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(separator)) {
            cText += '.';
            i += separator.size();
            continue;
        }
        const char c = text[i];
        if (c == '\0' || std::strchr("0123456789+-eE", c) == nullptr) {
            return std::nullopt;
        }
        cText += c;
        ++i;
    }
    if (cText.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(cText.c_str(), &end);
    if (end != cText.c_str() + cText.size() || (errno == ERANGE && std::isinf(value))) {
        return std::nullopt;
    }
    return value;
}

void checkReading(std::string_view text, std::string_view separator) {
    const std::optional<double> parsed = tactora::parseNumber(text, separator);
    const std::optional<double> reference = referenceReading(text, separator);
    require(parsed.has_value() == reference.has_value(), "numeric exactly when the C library reads it", text);
    if (parsed) {
        require(sameDouble(*parsed, *reference), "the same double as the C library reads", text);
    }

    const auto kinds = {tactora::TempoKind::None, tactora::TempoKind::BeatsPerMinute,
                        tactora::TempoKind::CyclesPerSecond};
    for (const tactora::TempoKind kind : kinds) {
        for (const tactora::Entry entry : {tactora::Entry::Tempo, tactora::Entry::Bars}) {
            const std::optional<double> limit = tactora::entryUpperLimit(entry, kind);
            const bool expected = reference && *reference > 0.0 && (!limit || *reference <= *limit);
            require(tactora::entryAccepted(entry, text, kind, separator) == expected,
                    "an entry is accepted exactly when it reads as a number within its limits", text);
        }
    }

    const tactora::EntryValues entries = tactora::readEntries({"1", text, "2"}, separator);
    require(entries.notANumber.has_value() != reference.has_value(), "entries read as the numeric test says",
            text);
    if (reference) {
        require(sameDouble(entries.values[1], *reference), "entries read to the same double", text);
    }
}

// The value's 15 significant digits in printf's "%e" form: rounded, or cut where rounding up
// would name a number beyond the double range.
std::string fifteenDigits(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", value);
    if (std::isfinite(readWithStrtod(text))) {
        return text;
    }
    std::snprintf(text, sizeof text, "%.16e", value);
    std::string cut(text);
    const std::size_t mantissaEnd = (value < 0 ? 1 : 0) + 16; // "d." and 14 more digits
    return cut.erase(mantissaEnd, cut.find('e') - mantissaEnd);
}

void checkDisplay(double value, std::string_view separator) {
    const std::string shown = tactora::formatNumber(value, separator);
    const std::optional<double> back = tactora::parseNumber(shown, separator);
    if (!std::isfinite(value)) {
        require(!back.has_value(), "a value that is not finite never reads back as a number", shown);
        return;
    }
    require(back.has_value(), "a displayed value reads back", shown);

    const std::string digits = fifteenDigits(value);
    const double rounded = readWithStrtod(digits);
    require(*back == rounded, "a displayed value reads back to the same 15 significant digits", shown);
    require(tactora::formatNumber(*back, separator) == shown, "what reads back shows as the same text",
            shown);

    const int exponent = std::atoi(digits.c_str() + digits.find('e') + 1);
    const bool scientific = rounded != 0.0 && (exponent < -4 || exponent > 14);
    const std::size_t e = shown.find('E');
    require((e != std::string::npos) == scientific, "scientific form exactly outside exponents -4 to 14",
            shown);
    if (scientific) {
        char exponentText[8];
        std::snprintf(exponentText, sizeof exponentText, "%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        require(shown.substr(e + 1) == exponentText, "an exponent of at least two digits with its sign",
                shown);
    }
}

void checkRounding(double value, int places) {
    const std::optional<double> rounded = tactora::roundToPlaces(value, places);
    if (!std::isfinite(value)) {
        require(!rounded.has_value(), "a value that is not finite cannot be rounded");
        return;
    }
    require(rounded.has_value(), "a finite value rounds");
    // glibc's printf writes the exact binary value rounded to the places, halves to even.
    const int size = std::snprintf(nullptr, 0, "%.*f", places, value);
    std::string exact(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(exact.data(), exact.size(), "%.*f", places, value);
    require(*rounded == readWithStrtod(exact), "rounding to places agrees with printf's exact rounding",
            exact);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view separator = separatorFor(input.front());
    const std::string_view text = input.substr(1);

    checkReading(text, separator);

    double raw = 0.0;
    std::memcpy(&raw, data, size < sizeof raw ? size : sizeof raw);
    const int places = size > 9 ? data[8] | (data[9] & 0x3) << 8 : 15;
    checkDisplay(raw, separator);
    checkRounding(raw, places);

    if (const std::optional<double> parsed = tactora::parseNumber(text, separator)) {
        checkDisplay(*parsed, separator);
        checkRounding(*parsed, places);
    }
    return 0;
}
