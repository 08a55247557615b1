// The mouse around a refused entry, and a selector changed without typing: what a person's
// hands do beyond Tab, Enter and single clicks.
#include "tests/ui/support/main_window_session.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QWheelEvent>
#include <QtTest>

namespace {

// Counts the releases of the mouse that reach a control.
class ReleaseCounter final : public QObject {
public:
    explicit ReleaseCounter(QWidget& control) { control.installEventFilter(this); }
    int releases = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        releases += event->type() == QEvent::MouseButtonRelease ? 1 : 0;
        return false;
    }
};

QPoint centreOf(const QWidget& control) {
    return control.mapTo(control.window(), control.rect().center());
}

} // namespace

class FocusAndSelectorTest : public QObject {
    Q_OBJECT

private slots:
    void refusedClickKeepsItsRelease_data();
    void refusedClickKeepsItsRelease();
    void secondButtonWhileOneIsHeldChecksNothing();
    void selectorChangedWithoutTypingFollows_data();
    void selectorChangedWithoutTypingFollows();
};

void FocusAndSelectorTest::refusedClickKeepsItsRelease_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("thenAccepted"); // a second click after mending the entry

    QTest::newRow("left") << int(Qt::LeftButton) << false;
    QTest::newRow("middle, which would paste") << int(Qt::MiddleButton) << false;
    QTest::newRow("the next click keeps its release") << int(Qt::LeftButton) << true;
}

// A refused click is a click that never happened: its release must not reach the entry under
// the mouse either, and once it is over the next click is whole again.
void FocusAndSelectorTest::refusedClickKeepsItsRelease() {
    QFETCH(int, button);
    QFETCH(bool, thenAccepted);

    MainWindowSession session;
    QWindow* window = session.calc().windowHandle();
    MainWindowSession::click(session.entry(0));
    session.entry(0).setText(QStringLiteral("abc"));
    ReleaseCounter target(session.entry(1));

    QTest::mouseClick(window, Qt::MouseButton(button), {}, centreOf(session.entry(1)));
    QCOMPARE(session.dialogs().messages.size(), 1);
    QCOMPARE(target.releases, 0);
    QCOMPARE(QApplication::focusWidget(), &session.entry(0));
    if (thenAccepted) {
        QTest::mouseClick(window, Qt::LeftButton, {}, centreOf(session.entry(1)));
        QCOMPARE(QApplication::focusWidget(), &session.entry(1));
        QCOMPARE(target.releases, 1);
    }
}

// While one button is held, a press of another goes to the control holding the mouse, which
// has the focus already: no entry is being left.
void FocusAndSelectorTest::secondButtonWhileOneIsHeldChecksNothing() {
    MainWindowSession session;
    QWindow* window = session.calc().windowHandle();
    MainWindowSession::click(session.entry(0));
    session.entry(0).setText(QStringLiteral("abc"));
    QTest::mousePress(window, Qt::LeftButton, {}, centreOf(session.entry(0)));
    QTest::mousePress(window, Qt::MiddleButton, {}, centreOf(session.entry(1)));
    QTest::mouseRelease(window, Qt::MiddleButton, {}, centreOf(session.entry(1)));
    QTest::mouseRelease(window, Qt::LeftButton, {}, centreOf(session.entry(1)));
    QCOMPARE(session.dialogs().messages.size(), 0);
}

void FocusAndSelectorTest::selectorChangedWithoutTypingFollows_data() {
    QTest::addColumn<QString>("how");

    QTest::newRow("pasted from the context menu") << "paste";
    QTest::newRow("mouse wheel while focused") << "wheel";
}

void FocusAndSelectorTest::selectorChangedWithoutTypingFollows() {
    QFETCH(QString, how);

    MainWindowSession session;
    auto* units = session.calc().findChild<QComboBox*>(QStringLiteral("CmbResType"));
    MainWindowSession::click(*units);
    if (how == QLatin1String("paste")) {
        units->lineEdit()->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("milliseconds"));
        // The line edit's own menu opens without a loop of its own: it is answered here.
        MainWindowSession::click(*units->lineEdit(), Qt::RightButton);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QLatin1String("&Paste"))) {
                menu->setActiveAction(action);
            }
        }
        QTest::keyClick(menu->windowHandle(), Qt::Key_Return);
    } else {
        // Over the list's arrow, which the box paints itself: a wheel event sent rather than
        // reported by the platform would not travel from the line edit up to the box.
        const QPointF at = units->mapTo(&session.calc(), QPoint(units->width() - 8, units->height() / 2));
        QWheelEvent turn(at, session.calc().mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(session.calc().windowHandle(), &turn);
    }
    // Respelled as the item, once, and computed in its unit.
    QCOMPARE(units->currentText(), QStringLiteral("Milliseconds"));
    QCOMPARE(session.results(), (QStringList{"2400", "600", "1.66666666666667"}));
    QCOMPARE(session.dialogs().messages.size(), 0);
}

QTEST_MAIN(FocusAndSelectorTest)
#include "focus_and_selector_test.moc"
