#include "core/entry_rules.h"

#include "core/number_parse.h"

namespace tactora {

namespace {

constexpr double countLimit = 1024.0;
constexpr double beatsPerMinuteLimit = 4294967296.0; // 2^32, itself accepted
constexpr double cyclesPerSecondLimit = 20000.0;

} // namespace

std::optional<double> entryUpperLimit(Entry entry, TempoKind kind) {
    if (entry != Entry::Tempo) {
        return countLimit;
    }
    switch (kind) {
    case TempoKind::BeatsPerMinute:
        return beatsPerMinuteLimit;
    case TempoKind::CyclesPerSecond:
        return cyclesPerSecondLimit;
    case TempoKind::None:
        break;
    }
    return std::nullopt;
}

bool valueAccepted(Entry entry, double value, TempoKind kind) {
    if (!(value > 0.0)) {
        return false;
    }
    const std::optional<double> limit = entryUpperLimit(entry, kind);
    return !limit || value <= *limit;
}

bool entryAccepted(Entry entry, std::string_view text, TempoKind kind, std::string_view decimalSeparator) {
    const std::optional<double> value = parseNumber(text, decimalSeparator);
    return value && valueAccepted(entry, *value, kind);
}

EntryValues readEntries(const std::array<std::string_view, 3>& texts, std::string_view decimalSeparator) {
    EntryValues read;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<double> value = parseNumber(texts[i], decimalSeparator);
        read.numeric[i] = value.has_value();
        if (value) {
            read.values[i] = *value;
        } else if (!read.notANumber) {
            read.notANumber = static_cast<Entry>(i);
        }
    }
    return read;
}

} // namespace tactora
