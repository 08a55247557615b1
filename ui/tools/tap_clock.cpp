#include "ui/tools/tap_clock.h"

std::chrono::nanoseconds SteadyTapClock::now() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}
