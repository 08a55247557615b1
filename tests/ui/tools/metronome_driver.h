#pragma once

#include "tests/ui/support/main_window_session.h"
#include "ui/tools/frm_metronome.h"

#include <QKeyCombination>
#include <QList>
#include <QStringList>

// The metronome window as the window tests reach it: opened from a result box's context menu
// on the main window's figures, and keys typed into it or into the dialog it opens.
namespace metronome_driver {

FrmMetronome& open(MainWindowSession& session, const QStringList& figures);

// Each key (a combination such as Qt::ALT | Qt::Key_U) pressed in turn on the window.
void press(QWidget& window, const QList<QKeyCombination>& keys);

// Answers the export dialog, once it is open, with these keys and then Return; an Escape
// among them cancels it instead. Returns at once: the dialog is answered from inside its loop.
void answerExportDialog(const QList<QKeyCombination>& keys);

} // namespace metronome_driver
