#pragma once

#include "core/exact_fraction.h"

#include <optional>
#include <string>
#include <string_view>

namespace tactora {

// A figure a tool window shows, rounded once to the 15 significant digits of a result field
// (halves to even) from its exact value, or from the closest double where no exact value
// exists (a logarithm), so that no step before the rounding changes a digit or leaves the
// double range for a figure that fits it.
//
// A figure that does not fit the double range (above the largest double, or not zero but
// below the least positive one) is kept as out of range rather than as a number: its digits
// would read back as a tempo no calculation gave. An exact zero fits and is zero.
class RoundedFigure {
public:
    // Out of range.
    RoundedFigure() = default;

    static RoundedFigure zero();
    // The value with its sign apart, as the exact fractions hold positive values only.
    static RoundedFigure fromExact(const ExactFraction& magnitude, bool negative = false);
    // A double at its own exact value; out of range for one that is not finite.
    static RoundedFigure fromDouble(double value);

    [[nodiscard]] bool fits() const { return m_fits; }
    [[nodiscard]] bool negative() const { return m_negative; }
    [[nodiscard]] bool isZero() const { return m_fits && m_digits.empty(); }
    // The 15 digits, the first not zero, and the decimal exponent of the first:
    // -4.76190476190476 is {"476190476190476", 0}. No digits for zero or out of range.
    [[nodiscard]] const std::string& digits() const { return m_digits; }
    [[nodiscard]] int exponent() const { return m_exponent; }

    // The double nearest the rounded figure, which is what an entry takes when the figure is
    // used as a tempo; the largest double for the few figures whose rounded digits lie just
    // beyond it. None out of range.
    [[nodiscard]] std::optional<double> value() const;

private:
    bool m_fits = false;
    bool m_negative = false;
    std::string m_digits;
    int m_exponent = 0;
};

// The figure written as formatNumber writes the double of its digits, with the given decimal
// separator as UTF-8 ("8.33333333333333E-308", "-4.76190476190476", "0"). None out of range.
std::optional<std::string> figureText(const RoundedFigure& figure, std::string_view decimalSeparator = ".");

} // namespace tactora
