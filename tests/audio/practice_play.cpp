// Plays the practice sound test's settings through the audio plugin, as the window would:
// opens the output, waits until it is ready, starts, and returns once the playing has
// finished its bars. Fails when it cannot start, ends otherwise, or takes more than a minute.
//
//   practice_play      (needs QT_PLUGIN_PATH to the audio plugin and a sound server)
#include "audio/click_player.h"
#include "bench/audio/ready_player.h"
#include "tests/audio/practice_scenario.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::unique_ptr<ClickPlayer> player = readyPlayer();
    if (!player) {
        return 1;
    }
    std::optional<ClickPlayerEnd> ending;
    player->setEndHandler([&ending](ClickPlayerEnd end) {
        ending = end;
        QCoreApplication::quit();
    });
    if (!player->start(practiceScenario())) {
        std::fprintf(stderr, "The player did not start on %s\n", qPrintable(player->deviceName()));
        return 1;
    }
    // A deadline, not a wait: the playing lasts some eight seconds.
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(1); });
    if (QCoreApplication::exec() != 0) {
        std::fprintf(stderr, "The playing did not finish within a minute\n");
        return 1;
    }
    if (ending != ClickPlayerEnd::Finished) {
        std::fprintf(stderr, "The playing ended before its last bar\n");
        return 1;
    }
    return 0;
}
