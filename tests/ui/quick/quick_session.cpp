#include "tests/ui/quick/quick_session.h"

#include <QApplication>
#include <QTest>

#include <utility>

QuickSession::QuickSession() {
    owner.setObjectName(QStringLiteral("mainWindow"));
    owner.resize(400, 300);
    owner.show();
    window = owner.findChild<QWidget*>(QStringLiteral("FrmResult"));
    if (window == nullptr) {
        return;
    }
    box = window->findChild<QLineEdit*>(QStringLiteral("TxtResult"));
    dialogs.resultWindow = window;
    if (box != nullptr) {
        driver = std::make_unique<ResultWindowDriver>(*window, calculator.CurrentValue);
    }
}

bool QuickSession::nothingLeftOpen() const {
    return !window->isVisible() && QApplication::activeModalWidget() == nullptr;
}

void QuickSession::checkNothingStray(ModalWatchdog& watchdog) const {
    const QStringList closedDialogs = std::exchange(watchdog.closedDialogs, {});
    QVERIFY2(closedDialogs.isEmpty(), qPrintable(closedDialogs.join(u", ")));
    QVERIFY(driver != nullptr);
    QCOMPARE(dialogs.script.unansweredQuestions, 0);
    QCOMPARE(driver->displaysLeftOpen, 0);
}
