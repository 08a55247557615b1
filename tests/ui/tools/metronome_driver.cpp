#include "tests/ui/tools/metronome_driver.h"

#include <QLineEdit>
#include <QtTest>

namespace metronome_driver {

FrmMetronome& open(MainWindowSession& session, const QStringList& figures) {
    for (int i = 0; i < figures.size(); ++i) {
        session.typeInto(i, figures[i]);
    }
    const QStringList items = MainWindowSession::chooseFromContextMenu(
        session.result(1), MainWindowSession::MenuKey::RightClick, QStringLiteral("Metronome…"));
    auto* metronome = session.calc().findChild<FrmMetronome*>(QStringLiteral("FrmMetronome"));
    if (metronome == nullptr || !QTest::qWaitForWindowActive(metronome)) {
        qFatal("The metronome did not open; the menu held %s", qPrintable(items.join(", ")));
    }
    return *metronome;
}

void press(QWidget& window, const QList<QKeyCombination>& keys) {
    for (const QKeyCombination key : keys) {
        QTest::keyClick(window.windowHandle(), key.key(), key.keyboardModifiers());
    }
}

} // namespace metronome_driver
