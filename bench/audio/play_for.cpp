// Plays the metronome's player for a while, as the window would: opens the output, waits
// until it is ready, starts, and stops after the given seconds. The load benchmark records
// the sink meanwhile and checks every click against the grid.
//
//   play_for SECONDS BPM      (needs QT_PLUGIN_PATH to the audio plugin and a sound server)
#include "audio/click_player.h"
#include "bench/audio/ready_player.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: play_for SECONDS BPM\n");
        return 2;
    }
    // As the window does: the output opens with the window, and stays open, silent.
    const std::unique_ptr<ClickPlayer> player = readyPlayer();
    if (!player) {
        return 1;
    }
    ClickSettings settings;
    settings.beatsPerMinute = std::atof(argv[2]);
    if (!player->start(settings)) {
        std::fprintf(stderr, "The player did not start on %s\n", qPrintable(player->deviceName()));
        return 1;
    }
    bool lost = false;
    player->setEndHandler([&lost](ClickPlayerEnd) {
        lost = true;
        QCoreApplication::quit();
    });
    QTimer::singleShot(std::atoi(argv[1]) * 1000, &app, [&player] {
        player->stop();
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    if (lost) {
        std::fprintf(stderr, "The playing ended early\n");
        return 1;
    }
    return 0;
}
