#pragma once

#include <optional>

namespace tactora {

// Rounds to a number of decimal places on the exact decimal value of the double,
// an exact half going to the even neighbour (0.125 to 2 places is 0.12).
// Negative places, or a value that is not finite, give no result.
std::optional<double> roundToPlaces(double value, int places);

// The rounding every tempo result passes through: 15 decimal places, halves to even.
double round15(double value);

} // namespace tactora
