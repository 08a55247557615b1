// From "Start" to the first click at the sound server's sink: starts the metronome's player
// over and over and listens to the sink's monitor (the default source) for the click, through
// libpulse's simple recording interface on a thread of its own. Each time is taken from the
// moment start() is called to the moment the click's first sample was captured: the arrival of
// the captured chunk less the samples after the onset in it. The capture's own buffering still
// counts, so the times are an upper bound.
//
//   start_to_click [RUNS]      (needs QT_PLUGIN_PATH to the audio plugin and a sound server)
#include "audio/click_player.h"
#include "bench/audio/ready_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

constexpr int rate = 48000;
constexpr std::size_t chunkFrames = rate / 100; // 10 ms

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    // As the window does: the output opens with the window, and stays open, silent.
    const std::unique_ptr<ClickPlayer> player = readyPlayer();
    if (!player) {
        return 1;
    }
    const pa_sample_spec format{PA_SAMPLE_S16NE, rate, 1};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(chunkFrames * sizeof(std::int16_t));
    int code = 0;
    pa_simple* capture = pa_simple_new(nullptr, "start_to_click", PA_STREAM_RECORD, nullptr, "monitor",
                                       &format, nullptr, &buffer, &code);
    if (player->deviceName().isEmpty() || capture == nullptr) {
        std::fprintf(stderr, "No output (%s) or no input (%s)\n", qPrintable(player->deviceName()),
                     capture == nullptr ? pa_strerror(code) : "ready");
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    std::vector<double> milliseconds;
    // The start's time while a click is awaited, -1 otherwise; set by this thread, cleared by
    // the capture's when it hears the click.
    std::atomic<qint64> startedAt{-1};
    std::atomic<bool> quit{false};
    std::thread listener([&] {
        std::array<std::int16_t, chunkFrames> samples{};
        int readError = 0;
        while (!quit.load() && pa_simple_read(capture, samples.data(), sizeof(samples), &readError) == 0) {
            const qint64 now = clock.nsecsElapsed();
            const qint64 started = startedAt.load();
            if (started < 0) {
                continue;
            }
            const auto loud = std::find_if(samples.begin(), samples.end(),
                                           [](std::int16_t s) { return std::abs(s) > 2000; });
            if (loud == samples.end()) {
                continue;
            }
            const auto after = std::distance(loud, samples.end());
            const double onsetAt = static_cast<double>(now) - static_cast<double>(after) * 1e9 / rate;
            const double ms = (onsetAt - static_cast<double>(started)) / 1e6;
            startedAt.store(-1);
            QMetaObject::invokeMethod(&app, [&, ms] {
                milliseconds.push_back(ms);
                player->stop();
                if (static_cast<int>(milliseconds.size()) == runs) {
                    QCoreApplication::quit();
                    return;
                }
                // The next start once the click has faded from the sink.
                QTimer::singleShot(300, &app, [&] {
                    startedAt.store(clock.nsecsElapsed());
                    player->start(ClickSettings{});
                });
            });
        }
    });
    QTimer::singleShot(500, &app, [&] {
        startedAt.store(clock.nsecsElapsed());
        player->start(ClickSettings{});
    });
    QTimer::singleShot(60000, &app, [] {
        std::fprintf(stderr, "No click heard within a minute\n");
        QCoreApplication::exit(1);
    });
    const int result = QCoreApplication::exec();
    quit.store(true);
    listener.join();
    pa_simple_free(capture);
    if (result != 0) {
        return 1;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf(
        "start to first click at the sink, %d runs: median %.1f ms, fastest %.1f ms, slowest %.1f ms\n", runs,
        milliseconds[milliseconds.size() / 2], milliseconds.front(), milliseconds.back());
    return 0;
}
