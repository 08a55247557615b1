// From "Start" to the first click at the sound server's sink: starts the metronome's player
// over and over and listens to the sink's monitor (the default source) for the click. Each
// time is taken from the moment start() is called to the moment the click's first sample was
// captured: the arrival of the captured chunk less the samples after the onset in it. The
// capture's own buffering still counts, so the times are an upper bound.
//
//   start_to_click [RUNS]      (needs QT_PLUGIN_PATH to the audio plugin and a sound server)
#include "audio/click_player.h"

#include <QAudioSource>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    QString error;
    ClickPlayerFactory* factory = clickPlayerFactory(&error);
    if (factory == nullptr) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const std::unique_ptr<ClickPlayer> player = factory->createPlayer();
    // As the window does: the output opens with the window, and stays open, silent.
    player->openOutput();
    QElapsedTimer waiting;
    waiting.start();
    while (player->output() != ClickOutput::Ready && waiting.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (player->deviceName().isEmpty() || input.isNull()) {
        std::fprintf(stderr, "No output (%s) or no input (%s) device\n", qPrintable(player->deviceName()),
                     qPrintable(input.description()));
        for (const QAudioDevice& device : QMediaDevices::audioInputs()) {
            std::fprintf(stderr, "input: %s\n", qPrintable(device.description()));
        }
        return 1;
    }
    QAudioSource source(input, format);
    source.setBufferSize(format.bytesForDuration(10000));
    QIODevice* capture = source.start();

    QElapsedTimer clock;
    clock.start();
    std::vector<double> milliseconds;
    qint64 startedAt = -1;
    ClickSettings settings;
    std::vector<std::int16_t> samples;
    QObject::connect(capture, &QIODevice::readyRead, &app, [&] {
        const QByteArray bytes = capture->readAll();
        const qint64 now = clock.nsecsElapsed();
        if (startedAt < 0) {
            return;
        }
        samples.resize(static_cast<std::size_t>(bytes.size()) / 2);
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        const auto loud =
            std::find_if(samples.begin(), samples.end(), [](std::int16_t s) { return std::abs(s) > 2000; });
        if (loud == samples.end()) {
            return;
        }
        const auto after = std::distance(loud, samples.end());
        const double onsetAt =
            static_cast<double>(now) - static_cast<double>(after) * 1e9 / format.sampleRate();
        milliseconds.push_back((onsetAt - static_cast<double>(startedAt)) / 1e6);
        player->stop();
        startedAt = -1;
        if (static_cast<int>(milliseconds.size()) == runs) {
            QCoreApplication::quit();
            return;
        }
        // The next start once the click has faded from the sink.
        QTimer::singleShot(300, &app, [&] {
            startedAt = clock.nsecsElapsed();
            player->start(settings);
        });
    });
    QTimer::singleShot(500, &app, [&] {
        startedAt = clock.nsecsElapsed();
        player->start(settings);
    });
    QTimer::singleShot(60000, &app, [] {
        std::fprintf(stderr, "No click heard within a minute\n");
        QCoreApplication::exit(1);
    });
    if (QCoreApplication::exec() != 0) {
        return 1;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf(
        "start to first click at the sink, %d runs: median %.1f ms, fastest %.1f ms, slowest %.1f ms\n", runs,
        milliseconds[milliseconds.size() / 2], milliseconds.front(), milliseconds.back());
    return 0;
}
