#pragma once

#include <cstdint>
#include <optional>

namespace tactora {

// The nearest whole number, halves to even (2.5 gives 2, 3.5 gives 4), as a signed
// 32-bit integer; a value outside that range, or not a number, gives no result.
std::optional<std::int32_t> toWhole(double value);

} // namespace tactora
