#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tactora::fuzz {

// Stops the run when an invariant does not hold: libFuzzer saves the input that broke it,
// and the abort fails the test that ran the fuzzer.
inline void require(bool holds, const char* invariant, std::string_view input = {}) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "Invariant broken: %s\nInput: \"%.*s\"\n", invariant, static_cast<int>(input.size()),
                 input.data());
    std::abort();
}

} // namespace tactora::fuzz
