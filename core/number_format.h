#pragma once

#include <string>
#include <string_view>

namespace tactora {

// Writes a double as the result fields show it: at most 15 significant digits, plain
// decimal notation for decimal exponents -4 to 14, otherwise a mantissa, "E", the
// exponent's sign and at least two exponent digits (5.3E-14, 1.23456789012346E+15);
// trailing zeros and a bare separator dropped. The few largest doubles, whose rounded digits
// would name a number beyond the double range, have their digits cut instead, so every text
// shown reads back as a number. The separator is given as UTF-8.
std::string formatNumber(double value, std::string_view decimalSeparator = ".");

// Writes a positive number given as its 15 significant digits, the first not zero, and the
// decimal exponent of the first, as formatNumber writes a double: for a value worked out
// more exactly than a double holds, rounded to 15 digits once.
std::string formatDigits(std::string digits, int exponent, std::string_view decimalSeparator = ".");

} // namespace tactora
