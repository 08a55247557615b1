#include "core/whole_number.h"

#include <cmath>

namespace tactora {

std::optional<std::int32_t> toWhole(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // std::nearbyint would follow the floating-point environment's rounding mode;
    // halves to even are spelled out so the answer never depends on it.
    const double floor = std::floor(value);
    const double diff = value - floor; // exact for every double
    double rounded = floor;
    if (diff > 0.5) {
        rounded = floor + 1.0;
    } else if (diff == 0.5) {
        rounded = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    }
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

} // namespace tactora
