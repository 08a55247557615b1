#pragma once

#include <QString>

#include <optional>
#include <string>

// Numbers inside the program are plain doubles; only here, where they meet the user,
// does the locale's decimal separator come in.

// The decimal separator of the user's locale, as UTF-8.
std::string decimalSeparator();

QString toDisplayText(double value);
// With exactly this many decimals, for figures whose last digits would only be noise.
QString toFixedText(double value, int places);
std::optional<double> fromUserText(const QString& text);
