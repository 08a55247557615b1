#include "tests/ui/support/main_window_session.h"

#include "ui/app/program.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <QtTest>

MainWindowSession::MainWindowSession() {
    QLocale::setDefault(QLocale::c());
    m_calc = composeProgram(m_dialogs);
    m_calc->show();
    m_calc->activateWindow();
    if (!QTest::qWaitForWindowActive(m_calc.get()))
        qWarning("The main window did not become active");
}

// A real dialog that the watchdog had to close is a fault of the test's own run.
MainWindowSession::~MainWindowSession() {
    m_calc.reset();
    if (!m_watchdog.closedDialogs.isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("Unexpected dialogs: ") + m_watchdog.closedDialogs.join(", ")),
                     __FILE__, __LINE__);
}

QLineEdit& MainWindowSession::entry(int index) const {
    return *m_calc->findChild<QLineEdit*>(QStringLiteral("TxtValue(%1)").arg(index));
}

QLineEdit& MainWindowSession::result(int index) const {
    return *m_calc->findChild<QLineEdit*>(QStringLiteral("TxtResult(%1)").arg(index));
}

QStringList MainWindowSession::results() const {
    return {result(0).text(), result(1).text(), result(2).text()};
}

void MainWindowSession::click(QWidget& control, Qt::MouseButton button) {
    QWidget* window = control.window();
    const QPoint at = control.mapTo(window, control.rect().center());
    QTest::mouseClick(window->windowHandle(), button, {}, at);
}

void MainWindowSession::key(QWidget& control, int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(control.window()->windowHandle(), static_cast<Qt::Key>(key), modifiers);
}

void MainWindowSession::typeInto(int index, const QString& text) {
    QLineEdit& box = entry(index);
    click(box);
    box.selectAll();
    QTest::keyClick(m_calc->windowHandle(), Qt::Key_Backspace);
    for (const QChar character : text)
        QTest::keyClick(m_calc->windowHandle(), character.toLatin1());
    QTest::keyClick(m_calc->windowHandle(), Qt::Key_Return);
}

QStringList MainWindowSession::chooseFromContextMenu(QWidget& control, MenuKey how, const QString& item) {
    if (how == MenuKey::ShiftF10)
        click(control);
    QStringList texts;
    // The menu runs its own loop: it is answered from inside it, with the keyboard, once
    // it is there.
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, &answer, [&answer, &texts, item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        answer.stop();
        // A disabled item cannot be chosen: the menu is then left with Escape.
        bool chosen = false;
        for (QAction* action : menu->actions()) {
            texts << action->text();
            if (action->text() == item && action->isEnabled()) {
                menu->setActiveAction(action);
                chosen = true;
            }
        }
        QTest::keyClick(menu->windowHandle(), chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    answer.start();
    if (how == MenuKey::RightClick)
        click(control, Qt::RightButton);
    else
        key(control, Qt::Key_F10, Qt::ShiftModifier);
    return texts;
}

void MainWindowSession::choose(const char* selectorName, int index) {
    m_calc->findChild<QComboBox*>(QString::fromLatin1(selectorName))->setCurrentIndex(index);
}
