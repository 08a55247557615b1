#pragma once

#include <chrono>

// Where the tap window reads the time of a tap: a monotonic clock, so that a change of the
// wall clock never shows as a tempo. Behind an interface so that tests can feed taps
// without waiting.
class TapClock {
public:
    virtual ~TapClock() = default;
    virtual std::chrono::nanoseconds now() const = 0;
};

class SteadyTapClock final : public TapClock {
public:
    std::chrono::nanoseconds now() const override;
};
