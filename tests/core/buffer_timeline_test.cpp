#include "core/buffer_timeline.h"

#include "tests/core/row_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <random>

namespace tactora {
namespace {

constexpr int rate = 48000;
// The audio engine takes a buffer every 10 ms and the host keeps two queued, as WASAPI's
// shared mode does with 20 ms of latency.
constexpr std::int64_t bufferFrames = 480;
constexpr std::size_t queuedBuffers = 2;
constexpr std::int64_t passes = 2000;   // 20 s
constexpr std::int64_t latePass = 1000; // the callback that comes late
constexpr double wakeMs = 1.0;          // every other callback wakes up to this late

// What the host says with each buffer: WASAPI's time of the call plus what is queued, never
// an underflow; or the exact time the engine takes the buffer, with or without an underflow
// where the device ran dry.
enum class Reports { CallTimePlusQueued, Exact, ExactWithUnderflow };

struct Scenario {
    const char* name;
    Reports reports;
    double ppm;             // the device's clock against the host's
    double reportJitterMs;  // how far an exact report may be off, either way
    double lateMs;          // how late one callback, 10 s in, wakes
    bool runsDry;           // whether the engine finds the queue empty then
    std::int64_t tolerance; // frames a buffer after the dropout may be off its place
};

// The device plays what the engine takes, or silence where it finds nothing queued: a buffer is
// heard at the frame of the engine's pass that takes it, counted from the first buffer's.
struct Device {
    Scenario scenario;
    std::mt19937_64 engine{0x7AC70A2004ULL};
    BufferTimeline timeline{rate};
    std::deque<std::int64_t> queue; // the placed timeline frames of the buffers queued
    std::int64_t pass = 0;          // the engine's next pass
    std::int64_t firstPass = -1;    // the pass that took the first buffer
    bool ranDry = false;            // since the last buffer
    bool everRanDry = false;
    double passNanos;

    explicit Device(const Scenario& h)
        : scenario(h), passNanos(bufferFrames * 1e9 / (rate * (1.0 + h.ppm * 1e-6))) {}

    double uniform(double from, double to) {
        return std::uniform_real_distribution<double>(from, to)(engine);
    }

    // The engine's passes up to nowNanos; each buffer taken is checked against its place.
    void passUntil(double nowNanos, bool afterDropout) {
        for (; static_cast<double>(pass) * passNanos <= nowNanos; ++pass) {
            if (queue.empty()) {
                ranDry = true;
                everRanDry = true;
                continue;
            }
            if (firstPass < 0) {
                firstPass = pass;
            }
            const std::int64_t heard = (pass - firstPass) * bufferFrames;
            const std::int64_t off = std::abs(queue.front() - heard);
            EXPECT_LE(off, afterDropout ? scenario.tolerance : 0) << "pass " << pass;
            queue.pop_front();
        }
    }

    // A callback at nowNanos fills the queue.
    void call(double nowNanos) {
        while (queue.size() < queuedBuffers) {
            double dac = 0.0;
            if (scenario.reports == Reports::CallTimePlusQueued) {
                dac = nowNanos + static_cast<double>(queue.size() * bufferFrames) * 1e9 / rate;
            } else {
                dac = static_cast<double>(pass + static_cast<std::int64_t>(queue.size())) * passNanos +
                      uniform(-scenario.reportJitterMs, scenario.reportJitterMs) * 1e6;
            }
            const bool underflow = scenario.reports == Reports::ExactWithUnderflow && ranDry;
            queue.push_back(timeline.place(std::llround(dac), bufferFrames, underflow));
            ranDry = false;
        }
    }
};

const Scenario scenarios[] = {
    {"WASAPI steady 50 ppm fast", Reports::CallTimePlusQueued, 50.0, 0.0, 0.0, false, 0},
    {"WASAPI one callback 6 ms late", Reports::CallTimePlusQueued, -50.0, 0.0, 6.0, false, 0},
    // The queue is empty when it comes, but the engine has not yet asked for more.
    {"WASAPI one callback 18 ms late", Reports::CallTimePlusQueued, 0.0, 0.0, 18.0, false, 0},
    {"WASAPI a stall of 300 ms", Reports::CallTimePlusQueued, 50.0, 0.0, 300.0, true, bufferFrames},
    {"WASAPI a stall of 35 ms", Reports::CallTimePlusQueued, 0.0, 0.0, 35.0, true, bufferFrames},
    {"exact reports a stall of 300 ms", Reports::Exact, 50.0, 0.0, 300.0, true, 1},
    // 12 frames at the nominal rate: the line through the earlier reports knows the device's.
    {"exact reports a stall of 5 s 50 ppm slow", Reports::Exact, -50.0, 0.0, 5000.0, true, 1},
    {"exact reports 0.5 ms jitter a stall of 300 ms", Reports::Exact, -50.0, 0.5, 300.0, true, 30},
    // One pass of silence, no longer than a buffer: only the underflow tells it.
    {"underflow reported one callback 25 ms late", Reports::ExactWithUnderflow, 0.0, 0.0, 25.0, true, 1},
};

class BufferTimelineRows : public testing::TestWithParam<Scenario> {};

// Buffers placed before the late callback, and every buffer where the device never ran dry, lie
// exactly where the device plays them; after a dropout they lie within the host's accuracy.
TEST_P(BufferTimelineRows, EveryBufferWhereTheDevicePlaysIt) {
    Device device(GetParam());
    const Scenario& scenario = device.scenario;
    device.call(0.0); // the host fills the queue before the stream starts
    double lastCall = 0.0;
    bool afterDropout = false;
    for (std::int64_t k = 0; k < passes; ++k) {
        const double wake = k == latePass ? scenario.lateMs : device.uniform(0.0, wakeMs);
        const double now = static_cast<double>(k) * device.passNanos + wake * 1e6;
        // An event set again while its callback is late wakes it once.
        if (now <= lastCall) {
            continue;
        }
        device.passUntil(now, afterDropout);
        afterDropout = device.everRanDry;
        device.call(now);
        lastCall = now;
    }
    EXPECT_EQ(device.everRanDry, scenario.runsDry);
    EXPECT_EQ(device.timeline.framesMissed() > 0, device.everRanDry);
}

INSTANTIATE_TEST_SUITE_P(Hosts, BufferTimelineRows, testing::ValuesIn(scenarios), NameField{});

} // namespace
} // namespace tactora
