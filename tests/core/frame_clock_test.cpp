#include "core/frame_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace tactora {
namespace {

using enum FrameClock::Outcome;

constexpr int rate = 48000;
// A monotonic clock far from zero, whose nanoseconds a double rounds to 256, and the server's
// timing updates 20 ms and 1 ns apart, so that such rounding would show.
constexpr std::int64_t startNanos = 1'700'000'000'123'456'789;
constexpr std::int64_t perSecond = 50, reportNanos = 20'000'001;

enum class Jitter { None, Uniform, Normal };
enum class Jump { None, Stall, Rewind, Latency, Outlier };

// A stream as its server reports it: 48 kHz on a device clock ppm off the host's, 20 ms of
// latency, one jump 60.01 s after the start (between two reports), and seeded jitter on the
// reports' host times: uniform within 1 ms either way, or normal with a deviation of 0.5 ms.
struct Stream {
    const char* name;
    Jitter jitter = Jitter::Uniform;
    double ppm = 0.0;
    Jump jump = Jump::None;
    double amount = 0.0;          // seconds the jump lasts or moves the stream, or an outlier is off
    std::int64_t reanchorsAt = 0; // the report past the jump's end that starts anew; 0 for none
    std::mt19937_64 engine{0x7AC70A2004ULL};
    static constexpr double jumpSeconds = 60.01;
    static constexpr std::int64_t jumpReport = 3001; // the first report after it

    double jitterNanos() {
        std::uniform_real_distribution<double> uniform(-1e6, 1e6);
        std::normal_distribution<double> normal(0.0, 0.5e6);
        return jitter == Jitter::Uniform ? uniform(engine) : jitter == Jitter::Normal ? normal(engine) : 0.0;
    }

    double heard(std::int64_t k) const {
        const double t = static_cast<double>(k * reportNanos) * 1e-9;
        const bool past = t > jumpSeconds;
        const double read = past && jump == Jump::Stall ? std::max(jumpSeconds, t - amount)
                                                        : t - (past && jump == Jump::Rewind ? amount : 0.0);
        const double latency = 0.02 + (past && jump == Jump::Latency ? amount : 0.0);
        return rate * ((1.0 + ppm * 1e-6) * read - latency);
    }

    double outlierSeconds(std::int64_t k) const {
        return jump == Jump::Outlier && k == jumpReport ? amount : 0.0;
    }

    FrameClock::Outcome report(FrameClock& clock, std::int64_t k) {
        const double off = outlierSeconds(k) * 1e9 + jitterNanos();
        return clock.observe(startNanos + k * reportNanos + std::llround(off), heard(k));
    }

    // How far the clock is off at report k's true time, in microseconds: when it says the frame
    // heard half a second later is heard, and which frame it says is heard now, as time.
    double errorMicros(const FrameClock& clock, std::int64_t k) const {
        const std::int64_t now = startNanos + k * reportNanos;
        const double framesPerSecond = rate * (1.0 + ppm * 1e-6);
        const std::int64_t later = clock.hostNanosOf(heard(k) + 0.5 * framesPerSecond) - now - 500'000'000;
        const double early = (clock.frameAt(now) - heard(k)) / framesPerSecond * 1e9;
        return std::max(std::abs(static_cast<double>(later)), std::abs(early)) / 1e3;
    }
};

// The stalled reports are outliers that disagree with each other: the clock waits for two that agree.
const Stream streams[] = {
    {"UniformJitter50ppmFast", Jitter::Uniform, 50.0},
    {"NormalJitter50ppmSlow", Jitter::Normal, -50.0},
    {"NoJitter50ppmFast", Jitter::None, 50.0},
    {"StallOf300ms", Jitter::Uniform, 0.0, Jump::Stall, 0.3, 2},
    {"StallOf300msAt50ppmFastNoJitter", Jitter::None, 50.0, Jump::Stall, 0.3, 2},
    {"RewindBy50ms", Jitter::Uniform, 0.0, Jump::Rewind, 0.05, 2},
    {"RewindBy50msAt50ppmSlow", Jitter::Uniform, -50.0, Jump::Rewind, 0.05, 2},
    {"LatencyFrom20To60ms", Jitter::Uniform, 0.0, Jump::Latency, 0.04, 2},
    {"LatencyFrom20To5ms", Jitter::Uniform, 0.0, Jump::Latency, -0.015, 2},
    {"OneReport5msLate", Jitter::Uniform, 0.0, Jump::Outlier, 0.005},
    {"OneReport5msEarly", Jitter::Uniform, 0.0, Jump::Outlier, -0.005},
};

// The worst errors in microseconds from 1, 10 and 60 s on (less the 10 s after a jump), and at a
// new anchor: on two reports within 1 ms, not averaging the jump in. Exact reports leave rounding,
// which host nanoseconds in a double would raise to 128, and a first guess of the slope.
constexpr double jitteredBounds[] = {300, 150, 80, 1500};
constexpr double exactBounds[] = {100, 1, 0.002, 0.002};

class FrameClockRows : public testing::TestWithParam<Stream> {};

TEST_P(FrameClockRows, FollowsTheStreamAndStartsAnewOnlyAfterAJump) {
    Stream stream = GetParam();
    const double jumpEnd = Stream::jumpSeconds + (stream.jump == Jump::Stall ? stream.amount : 0.0);
    const auto firstPast = static_cast<std::int64_t>(jumpEnd * 1e9 / reportNanos) + 1;
    FrameClock clock(rate);
    double worst[4] = {};
    for (std::int64_t k = 0; k <= (stream.jump == Jump::None ? 3600 : 120) * perSecond; ++k) {
        const FrameClock::Outcome outcome = stream.report(clock, k);
        const double error = stream.errorMicros(clock, k);
        const bool anew = stream.reanchorsAt > 0 && k - firstPast + 1 == stream.reanchorsAt;
        EXPECT_EQ(outcome == Reanchored, anew) << "report " << k;
        EXPECT_TRUE(stream.outlierSeconds(k) == 0.0 || outcome == Outlier) << "report " << k;
        const bool jumping =
            stream.reanchorsAt > 0 && k >= Stream::jumpReport && k < firstPast + 10 * perSecond;
        const std::size_t window = anew ? 3 : k >= 60 * perSecond ? 2 : k >= 10 * perSecond ? 1 : 0;
        if (anew || (k >= perSecond && !jumping)) {
            worst[window] = std::max(worst[window], error);
        }
    }
    const double* bounds = stream.jitter == Jitter::None ? exactBounds : jitteredBounds;
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_LE(worst[i], bounds[i]) << "window " << i;
    }
}

std::string rowName(const testing::TestParamInfo<Stream>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, FrameClockRows, testing::ValuesIn(streams), rowName);

TEST(FrameClock, AnswersOnceTwoReportsAgreeFromTheStartOrAReset) {
    FrameClock clock(rate);
    clock.observe(startNanos - 3'600'000'000'000, 0.0); // a stream an hour before
    EXPECT_EQ(clock.observe(startNanos - 3'599'980'000'000, 960.0), Accepted);
    clock.reset();
    EXPECT_FALSE(clock.valid());
    // Frames from 0 again, the first report 50 ms off; the two after it agree.
    Stream next{"", Jitter::None};
    EXPECT_EQ(clock.observe(startNanos + 50'000'000, next.heard(0)), Accepted);
    EXPECT_FALSE(clock.valid());
    EXPECT_EQ(next.report(clock, 1), Outlier);
    EXPECT_EQ(next.report(clock, 2), Reanchored);
    EXPECT_TRUE(clock.valid());
    EXPECT_LE(next.errorMicros(clock, 2), 0.001);
}

} // namespace
} // namespace tactora
