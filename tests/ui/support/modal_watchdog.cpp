#include "tests/ui/support/modal_watchdog.h"

#include <QApplication>
#include <QDialog>

ModalWatchdog::ModalWatchdog(QObject* parent) : QObject(parent) {
    m_timer.setInterval(200);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatchdog::closeUnexpectedDialog);
    m_timer.start();
}

void ModalWatchdog::closeUnexpectedDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr && dialog->objectName() != QLatin1String("FrmResult")) {
        closedDialogs.append(dialog->windowTitle());
        dialog->reject();
    }
}
