#pragma once

#include "core/checked_math.h"

#include <cstdint>
#include <optional>

namespace tactora {

// The quick operations; each code is also the index of its item in the calculation menu,
// where 3 and 5 are separator lines.
enum class QuickOp { Multiply = 0, Divide = 1, RoundedDivide = 2, Add = 4, Semitone = 6, DecimalRound = 7 };

// The operator key of each operation: * / \ + - # . ; any other character has none.
std::optional<QuickOp> quickOpForKey(char32_t key);

// The menu index as an operation, or nothing for a separator or an index out of range.
std::optional<QuickOp> quickOpForCode(int code);

// value / 2^(semitones / 12), each step checked.
Checked SemitoneShift(std::int32_t value, double semitones);

// Applies one operation to the register value with an operand already read from the
// user's text. An operand of 0 is refused for every operation (InvalidOperation),
// as is any value that does not fit where a whole number is needed.
Checked applyQuickOp(QuickOp op, double value, double operand);

} // namespace tactora
