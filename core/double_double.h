#pragma once

#include <cmath>
#include <cstdint>

namespace tactora {

// A number held as the unevaluated sum of two doubles, about 106 bits of mantissa, in plain
// IEEE double arithmetic (no fused multiply-add, no extended precision), so that it gives the
// same bits with every compiler the program is built with. Each step below is exact to within
// a few units of 2^-104 of its result.
struct DoubleDouble {
    double high = 0.0;
    double low = 0.0;
};

namespace doubledouble {

// a + b exactly, when |a| >= |b|.
inline DoubleDouble quickSum(double a, double b) {
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// a + b exactly, whatever their sizes.
inline DoubleDouble exactSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// a × b exactly, splitting each factor into halves of 26 bits.
inline DoubleDouble exactProduct(double a, double b) {
    constexpr double splitter = 134217729.0; // 2^27 + 1
    const double product = a * b;
    const double aScaled = splitter * a;
    const double aHigh = aScaled - (aScaled - a);
    const double aLow = a - aHigh;
    const double bScaled = splitter * b;
    const double bHigh = bScaled - (bScaled - b);
    const double bLow = b - bHigh;
    return {product, ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

inline DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble high = exactSum(a.high, b.high);
    const DoubleDouble low = exactSum(a.low, b.low);
    const DoubleDouble first = quickSum(high.high, high.low + low.high);
    return quickSum(first.high, first.low + low.low);
}

inline DoubleDouble multiply(DoubleDouble a, double b) {
    const DoubleDouble product = exactProduct(a.high, b);
    return quickSum(product.high, product.low + a.low * b);
}

inline DoubleDouble divide(DoubleDouble a, double b) {
    const double first = a.high / b;
    const DoubleDouble back = exactProduct(first, b);
    const DoubleDouble rest = exactSum(a.high, -back.high);
    const double second = (rest.high + (rest.low - back.low + a.low)) / b;
    return quickSum(first, second);
}

// floor(a + 1/2): halves to the later frame. |a| must stay below 2^52.
inline std::int64_t roundHalfUp(DoubleDouble a) {
    const DoubleDouble shifted = add(a, {0.5, 0.0});
    const double whole = std::floor(shifted.high);
    // Exact: whole and shifted.high are within one of each other.
    const double rest = (shifted.high - whole) + shifted.low;
    return static_cast<std::int64_t>(whole) + static_cast<std::int64_t>(std::floor(rest));
}

} // namespace doubledouble
} // namespace tactora
