#pragma once

#include <optional>
#include <string_view>

namespace tactora {

// Reads a number the way a user types it: optional blanks around it, an optional sign,
// decimal digits with at most one decimal separator, and an optional exponent
// ("e" or "E", an optional sign, digits). Anything else (group separators, hex, currency,
// "inf", "nan") is not a number, and neither is a value beyond the double range.
// One function answers both "is it numeric" and "what is it", so the two cannot disagree.
// The separator is the user's (a full stop, a comma, or another locale's mark), given as UTF-8.
std::optional<double> parseNumber(std::string_view text, std::string_view decimalSeparator = ".");

} // namespace tactora
