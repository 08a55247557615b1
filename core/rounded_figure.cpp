#include "core/rounded_figure.h"

#include "core/number_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tactora {

RoundedFigure RoundedFigure::zero() {
    RoundedFigure figure;
    figure.m_fits = true;
    return figure;
}

RoundedFigure RoundedFigure::fromExact(const ExactFraction& magnitude, bool negative) {
    RoundedFigure figure;
    if (magnitude.exceedsDoubles() || magnitude.belowDoubles()) {
        return figure;
    }
    ExactFraction::Digits digits = magnitude.significantDigits();
    figure.m_fits = true;
    figure.m_negative = negative;
    figure.m_digits = std::move(digits.digits);
    figure.m_exponent = digits.exponent;
    return figure;
}

RoundedFigure RoundedFigure::fromDouble(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    if (value == 0.0) {
        return zero();
    }
    ExactFraction magnitude(1, 1);
    magnitude.multiply(std::fabs(value));
    return fromExact(magnitude, value < 0.0);
}

std::optional<double> RoundedFigure::value() const {
    if (!m_fits) {
        return std::nullopt;
    }
    if (m_digits.empty()) {
        return 0.0;
    }
    // The digits as a whole number times a power of ten, read as C reads a number: the
    // locale's separator has no say here.
    const std::string text =
        m_digits + 'e' + std::to_string(m_exponent + 1 - static_cast<int>(m_digits.size()));
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        // Only digits rounded up past the largest double get here; every fitting figure is at
        // least the least positive double, which reads back without an error.
        magnitude = std::numeric_limits<double>::max();
    }
    return m_negative ? -magnitude : magnitude;
}

std::optional<std::string> figureText(const RoundedFigure& figure, std::string_view decimalSeparator) {
    if (!figure.fits()) {
        return std::nullopt;
    }
    if (figure.isZero()) {
        return "0";
    }
    // Appended rather than "-" + text, whose optimised copy GCC 12 warns of wrongly (its bug 105329).
    std::string text = figure.negative() ? "-" : "";
    text += formatDigits(figure.digits(), figure.exponent(), decimalSeparator);
    return text;
}

} // namespace tactora
