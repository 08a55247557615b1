#include "tests/ui/quick/result_window_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

constexpr int PollMilliseconds = 5;
// A window that never gets the focus would otherwise stall the test until its time-out.
constexpr int PollsBeforeGivingUpOnFocus = 400;

} // namespace

ResultWindowDriver::ResultWindowDriver(const QWidget& owner, std::function<double()> readRegister)
    : m_owner(owner), m_readRegister(std::move(readRegister)) {
    // Watches every object, since the window it waits for may not exist yet.
    qApp->installEventFilter(this);
    QTimer::singleShot(PollMilliseconds, this, &ResultWindowDriver::poll);
}

ResultWindowDriver::Action ResultWindowDriver::pressKey(int key, Qt::KeyboardModifiers modifiers) {
    return [key, modifiers](QWidget& window, QLineEdit&) {
        QTest::keyClick(window.windowHandle(), Qt::Key(key), modifiers);
    };
}

ResultWindowDriver::Action ResultWindowDriver::type(const QString& text) {
    return [text](QWidget& window, QLineEdit&) {
        for (const QChar character : text) {
            QTest::keyClick(window.windowHandle(), character.toLatin1());
        }
    };
}

bool ResultWindowDriver::eventFilter(QObject* watched, QEvent* event) {
    if (m_window == nullptr && event->type() == QEvent::Show && watched->parent() == &m_owner &&
        watched->objectName() == QStringLiteral("FrmResult")) {
        m_window = static_cast<QWidget*>(watched);
        m_box = m_window->findChild<QLineEdit*>(QStringLiteral("TxtResult"));
    }
    if (m_window != nullptr && watched == m_window && event->type() == QEvent::Show) {
        ++m_shows;
        m_pollsWithoutFocus = 0;
    }
    // Acting as soon as the box has the focus, rather than at the next poll, keeps long
    // chains quick; the action runs from the display's own loop, as a person's key would.
    if (m_box != nullptr && watched == m_box && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, this, &ResultWindowDriver::actOnNewDisplay);
    }
    return QObject::eventFilter(watched, event);
}

void ResultWindowDriver::poll() {
    // Polled with fresh single shots: a repeating timer would not fire again while its own
    // handler sits in the nested display of a chained operation.
    QTimer::singleShot(PollMilliseconds, this, &ResultWindowDriver::poll);
    actOnNewDisplay();
}

void ResultWindowDriver::actOnNewDisplay() {
    const bool newDisplay =
        m_window != nullptr && m_box != nullptr && m_window->isVisible() && displays.size() < m_shows;
    if (!newDisplay) {
        return;
    }
    const bool focused = QApplication::focusWidget() == m_box;
    if (!focused && ++m_pollsWithoutFocus < PollsBeforeGivingUpOnFocus) {
        return;
    }
    displays.append({m_window, m_window->windowTitle(), m_box->text(), m_box->selectionStart(),
                     m_box->selectedText(), focused, m_readRegister()});
    const Action action = m_actions.isEmpty() ? pressKey(Qt::Key_Escape) : m_actions.takeFirst();
    action(*m_window, *m_box);
    // The action should have ended this display; when it did not, the window is closed by its
    // caption's button instead, so the fault fails the test rather than hanging it.
    if (m_window->isVisible() && displays.size() == m_shows) {
        ++displaysLeftOpen;
        m_window->close();
    }
}
