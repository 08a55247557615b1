#include "tests/ui/support/modal_watchdog.h"

#include <QApplication>
#include <QDialog>

namespace {

// Dialogs the tests drive themselves, and may keep open as long as they like.
const QStringList drivenByTests = {QStringLiteral("FrmResult"), QStringLiteral("FrmClickExport"),
                                   QStringLiteral("dlgExportProgress")};

} // namespace

ModalWatchdog::ModalWatchdog(QObject* parent) : QObject(parent) {
    m_timer.setInterval(200);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::closeUnexpectedDialog);
    m_timer.start();
}

void ModalWatchdog::closeUnexpectedDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr && !drivenByTests.contains(dialog->objectName())) {
        closedDialogs.append(dialog->windowTitle());
        dialog->reject();
    }
}
