#pragma once

#include "audio/click_player.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <memory>

// The metronome's player as the window has it once open: the plugin loaded, the output opened
// and, within ten seconds, ready. Null, with the reason printed, when the plugin cannot load.
inline std::unique_ptr<ClickPlayer> readyPlayer() {
    QString error;
    ClickPlayerFactory* factory = clickPlayerFactory(&error);
    if (factory == nullptr) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return nullptr;
    }
    std::unique_ptr<ClickPlayer> player = factory->createPlayer();
    player->openOutput();
    QElapsedTimer waiting;
    waiting.start();
    while (player->output() != ClickOutput::Ready && waiting.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return player;
}
