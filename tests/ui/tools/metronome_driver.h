#pragma once

#include "tests/ui/support/main_window_session.h"
#include "ui/tools/frm_metronome.h"

#include <QKeyCombination>
#include <QList>
#include <QStringList>

// The metronome window as the window tests reach it: opened from a result box's context menu
// on the main window's figures (tempo, bars, beats per bar), and keys typed into it.
namespace metronome_driver {

FrmMetronome& open(MainWindowSession& session,
                   const QStringList& figures = {QStringLiteral("120"), QStringLiteral("2"),
                                                 QStringLiteral("4")});

// Each key (a combination such as Qt::ALT | Qt::Key_U) pressed in turn on the window.
void press(QWidget& window, const QList<QKeyCombination>& keys);

inline QKeyCombination alt(Qt::Key key) {
    return Qt::ALT | key;
}

} // namespace metronome_driver
