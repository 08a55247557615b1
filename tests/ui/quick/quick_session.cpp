#include "tests/ui/quick/quick_session.h"

#include <QApplication>
#include <QTest>

#include <utility>

QuickSession::QuickSession() {
    owner.setObjectName(QStringLiteral("mainWindow"));
    owner.resize(400, 300);
    owner.show();
    dialogs.owner = &owner;
    driver = std::make_unique<ResultWindowDriver>(owner, [this] { return calculator.currentValue(); });
}

QWidget* QuickSession::window() const {
    return owner.findChild<QWidget*>(QStringLiteral("FrmResult"));
}

QLineEdit* QuickSession::box() const {
    QWidget* shown = window();
    return shown != nullptr ? shown->findChild<QLineEdit*>(QStringLiteral("TxtResult")) : nullptr;
}

bool QuickSession::nothingLeftOpen() const {
    const QWidget* shown = window();
    return (shown == nullptr || !shown->isVisible()) && QApplication::activeModalWidget() == nullptr;
}

void QuickSession::checkNothingStray(ModalWatchdog& watchdog) const {
    const QStringList closedDialogs = std::exchange(watchdog.closedDialogs, {});
    QVERIFY2(closedDialogs.isEmpty(), qPrintable(closedDialogs.join(u", ")));
    QVERIFY(driver != nullptr);
    QCOMPARE(dialogs.script.unansweredQuestions, 0);
    QCOMPARE(driver->displaysLeftOpen, 0);
}
