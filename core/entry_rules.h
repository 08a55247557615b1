#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tactora {

// What the tempo entry holds, as the value-kind selector says; None while its text
// matches no item.
enum class TempoKind { None = -1, BeatsPerMinute = 0, CyclesPerSecond = 1 };

enum class Entry { Tempo = 0, Bars = 1, BeatsPerBar = 2 };

// The largest value an entry accepts (inclusive); no limit for a tempo of no kind.
std::optional<double> entryUpperLimit(Entry entry, TempoKind kind);

// True when the value is greater than 0 and within the entry's limit.
bool valueAccepted(Entry entry, double value, TempoKind kind);

// True when the text is a number greater than 0 and within the entry's limit.
bool entryAccepted(Entry entry, std::string_view text, TempoKind kind,
                   std::string_view decimalSeparator = ".");

// The three entries read as numbers for a recalculation, or the first that is not a number.
struct EntryValues {
    std::array<double, 3> values{};
    std::array<bool, 3> numeric{}; // which texts are numbers
    std::optional<Entry> notANumber;
};
EntryValues readEntries(const std::array<std::string_view, 3>& texts,
                        std::string_view decimalSeparator = ".");

} // namespace tactora
