// The tempo formulas on entries as a user could type them. An input is
// "<kind><unit>tempo;bars;beats per bar": kind 'h' for cycles per second, anything else
// beats per minute; unit 'm' for milliseconds, anything else seconds. Every calculation
// either reports a fault or gives finite results, and those results are the formulas'
// values: lengths of 240 * bars / tempo and 240 / (tempo * bars * beats per bar) seconds,
// the converse rate, and the rounding to 15 decimal places before the unit factor.

#include "tests/fuzz/fuzz_check.h"

#include "core/checked_math.h"
#include "core/decimal_round.h"
#include "core/number_parse.h"
#include "core/tempo.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

using tactora::fuzz::require;

std::optional<std::array<double, 3>> readEntries(std::string_view text) {
    std::array<double, 3> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t end = i + 1 < values.size() ? text.find(';') : text.size();
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::optional<double> value = tactora::parseNumber(text.substr(0, end));
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
        text.remove_prefix(end == text.size() ? end : end + 1);
    }
    return values;
}

// The results are rounded to 15 decimal places, so beside a relative tolerance for a few
// roundings an absolute one of that last place is allowed.
bool near(double actual, double expected) {
    return std::fabs(actual - expected) <= 1e-14 * std::fabs(expected) + 1e-15;
}

// Within these magnitudes no step of either formula leaves the normal double range, so the
// results must be there and close to the exact formulas.
bool ordinary(double value) {
    return std::fabs(value) >= 1e-60 && std::fabs(value) <= 1e60;
}

void checkFinite(const tactora::TempoOutcome& outcome, std::string_view input) {
    if (!outcome.ok()) {
        return;
    }
    const tactora::TempoResults& r = outcome.results;
    require(std::isfinite(r.barsLength) && std::isfinite(r.beatLength) && std::isfinite(r.converseRate) &&
                std::isfinite(r.beatSeconds),
            "a calculation without a fault gives finite results", input);
    require(tactora::round15(r.converseRate) == r.converseRate,
            "the converse rate has at most 15 decimal places", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (size < 2) {
        return 0;
    }
    const bool fromRate = input[0] == 'h';
    const double unitFactor = input[1] == 'm' ? 1000.0 : 1.0;
    const std::optional<std::array<double, 3>> entries = readEntries(input.substr(2));
    if (!entries) {
        return 0;
    }
    const auto [tempoOrRate, bars, beatsPerBar] = *entries;

    const auto calculate = fromRate ? tactora::CalcFromHz : tactora::CalcFromBpm;
    const tactora::TempoOutcome outcome = calculate(tempoOrRate, bars, beatsPerBar, unitFactor);
    const tactora::TempoOutcome inSeconds = calculate(tempoOrRate, bars, beatsPerBar, 1.0);
    checkFinite(outcome, input);
    checkFinite(inSeconds, input);

    if (tempoOrRate == 0.0 || bars == 0.0 || beatsPerBar == 0.0) {
        require(!outcome.ok(), "a zero entry is a fault, not a result", input);
    }

    // The unit factor scales the two lengths after rounding and nothing else; only its own
    // multiplication can add a fault, an overflow.
    if (!inSeconds.ok()) {
        require(outcome.fault == inSeconds.fault, "the unit does not change an earlier fault", input);
    } else if (!outcome.ok()) {
        require(outcome.fault == tactora::ArithFault::Overflow, "the unit factor can only overflow", input);
    } else {
        const tactora::TempoResults& r = outcome.results;
        const tactora::TempoResults& s = inSeconds.results;
        require(r.barsLength == s.barsLength * unitFactor && r.beatLength == s.beatLength * unitFactor,
                "the unit factor multiplies the rounded lengths", input);
        require(r.converseRate == s.converseRate && r.beatSeconds == s.beatSeconds,
                "the unit factor leaves the converse rate alone", input);
        require(tactora::round15(s.barsLength) == s.barsLength &&
                    tactora::round15(s.beatLength) == s.beatLength,
                "lengths in seconds have at most 15 decimal places", input);
    }

    if (!ordinary(tempoOrRate) || !ordinary(bars) || !ordinary(beatsPerBar)) {
        return 0;
    }
    require(inSeconds.ok(), "ordinary magnitudes give results", input);
    const tactora::TempoResults& s = inSeconds.results;
    const double beatCount = bars * beatsPerBar;
    const double tempo = fromRate ? 240.0 * tempoOrRate / beatCount : tempoOrRate;
    require(near(s.beatSeconds, 240.0 / (tempo * beatCount)), "one beat lasts 240 / (tempo * beats) seconds",
            input);
    require(near(s.barsLength, 240.0 * bars / tempo), "the bars last 240 * bars / tempo seconds", input);
    require(near(s.beatLength, s.beatSeconds), "the beat length is the rounded beat seconds", input);
    if (fromRate) {
        require(near(s.beatSeconds, 1.0 / tempoOrRate), "from a rate, one beat lasts 1 / rate seconds",
                input);
        require(near(s.converseRate, tempo), "from a rate, the converse rate is the tempo", input);
    } else {
        require(near(s.converseRate, 1.0 / s.beatSeconds),
                "from a tempo, the converse rate is beats per second", input);
    }
    return 0;
}
