#include "tests/ui/support/main_window_session.h"
#include "ui/tools/frm_tap.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <vector>

namespace {

enum class Action { TapSpace, TapEnter, TapClick, TapMouse, HeldSpace, Use, Cancel, Escape };
using Moments = std::vector<int>; // the taps' event times, in milliseconds

// Posts the press (and its release) to the window with its own time, as the platform does:
// nothing is delivered until the events are processed, so the taps arrive in one burst.
void postKey(QWidget& window, Qt::Key key, const QString& text, int milliseconds, bool autoRepeat) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        auto* event = new QKeyEvent(type, key, Qt::NoModifier, text, autoRepeat);
        event->setTimestamp(static_cast<quint64>(milliseconds));
        QCoreApplication::postEvent(window.windowHandle(), event);
    }
}

void postClick(QWidget& control, int milliseconds) {
    const QPointF at = control.mapTo(control.window(), control.rect().center());
    const QPointF global = control.window()->mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        auto* event =
            new QMouseEvent(type, at, at, global, Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        event->setTimestamp(static_cast<quint64>(milliseconds));
        QCoreApplication::postEvent(control.window()->windowHandle(), event);
    }
}

// A press and its release 40 ms later, handed to Qt as the window system hands them, with their
// own times: Qt itself turns a press soon after the last into a double-click.
void mouseTap(QWidget& control, int milliseconds) {
    QWindow* window = control.window()->windowHandle();
    const QPointF at = control.mapTo(control.window(), control.rect().center());
    const QPointF global = window->mapToGlobal(at);
    qt_handleMouseEvent(window, at, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress,
                        Qt::NoModifier, milliseconds);
    qt_handleMouseEvent(window, at, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease,
                        Qt::NoModifier, milliseconds + 40);
}

} // namespace

Q_DECLARE_METATYPE(Action)

class FrmTapTest : public QObject {
    Q_OBJECT

private slots:
    void useRunsTheEntryCheckAndLeavingChangesNothing_data();
    void useRunsTheEntryCheckAndLeavingChangesNothing();
};

void FrmTapTest::useRunsTheEntryCheckAndLeavingChangesNothing_data() {
    QTest::addColumn<int>("valueType");
    QTest::addColumn<Action>("tapWith");
    QTest::addColumn<Moments>("taps");
    QTest::addColumn<int>("doublings"); // clicks of Double, or of Halve when negative
    QTest::addColumn<QString>("tempo"); // what the window shows before leaving
    QTest::addColumn<QString>("count");
    QTest::addColumn<Action>("leaveWith");
    QTest::addColumn<QStringList>("entryAndResults"); // empty: as before
    QTest::addColumn<int>("messages");

    const QString hint =
        QStringLiteral("Tap at least twice; after two seconds without a tap the count starts over.");
    QTest::newRow("Space, 120 bpm") << 0 << Action::TapSpace << Moments{1000, 1500, 2000} << 0
                                    << "120.00 BPM ± 0.00\n= 2 Hz"
                                    << "3 taps" << Action::Use << QStringList{"120", "2", "0.5", "2"} << 0;
    QTest::newRow("Enter, 150 bpm as 2.5 Hz")
        << 1 << Action::TapEnter << Moments{1000, 1400, 1800, 2200} << 0 << "150.00 BPM ± 0.00\n= 2.5 Hz"
        << "4 taps" << Action::Use << QStringList{"2.5", "1.6", "0.4", "150"} << 0;
    // The slope of the least-squares line through the four taps, 0.5029 s a beat.
    QTest::newRow("clicks, uneven, rounded")
        << 0 << Action::TapClick << Moments{1000, 1450, 2000, 2493} << 0
        << "119.3 BPM ± 3.1\n= 1.98833333333333 Hz"
        << "4 taps" << Action::Use
        << QStringList{"119.3", "2.01173512154233", "0.502933780385583", "1.98833333333333"} << 0;
    // Faster than the double-click interval, every other click reaches the button as a double-click.
    QTest::newRow("a mouse tapping 240 bpm")
        << 0 << Action::TapMouse << Moments{1000, 1250, 1500, 1750, 2000, 2250, 2500, 2750, 3000} << 0
        << "240.00 BPM ± 0.00\n= 4 Hz"
        << "9 taps" << Action::Use << QStringList{"240", "1", "0.25", "4"} << 0;
    QTest::newRow("a double tap is counted as ignored")
        << 0 << Action::TapSpace << Moments{1000, 1500, 1530, 2000, 2500} << 0 << "120.00 BPM ± 0.00\n= 2 Hz"
        << "4 taps, 1 double tap ignored" << Action::Use << QStringList{"120", "2", "0.5", "2"} << 0;
    QTest::newRow("a held key is one tap") << 0 << Action::HeldSpace << Moments{1000, 1500, 2000} << 0
                                           << "No tempo yet" << hint << Action::Cancel << QStringList{} << 0;
    QTest::newRow("Double") << 0 << Action::TapSpace << Moments{1000, 1500, 2000} << 1
                            << "240.00 BPM ± 0.00\n= 4 Hz, taps × 2"
                            << "3 taps" << Action::Use << QStringList{"240", "1", "0.25", "4"} << 0;
    QTest::newRow("Halve") << 0 << Action::TapSpace << Moments{1000, 1500, 2000} << -1
                           << "60.00 BPM ± 0.00\n= 1 Hz, taps ÷ 2"
                           << "3 taps" << Action::Use << QStringList{"60", "4", "1", "1"} << 0;
    // A millisecond apart is 60000 bpm; doubled five times, 32000 Hz: beyond the entry's 20000.
    QTest::newRow("refused by the entry")
        << 1 << Action::TapSpace << Moments{1000, 1001} << 5 << "1920000.00 BPM\n= 32000 Hz, taps × 32"
        << "2 taps" << Action::Use << QStringList{} << 1;
    QTest::newRow("Escape") << 0 << Action::TapSpace << Moments{1000, 1500} << 0 << "120.00 BPM\n= 2 Hz"
                            << "2 taps" << Action::Escape << QStringList{} << 0;
    QTest::newRow("Cancel") << 0 << Action::TapSpace << Moments{1000, 1500} << 0 << "120.00 BPM\n= 2 Hz"
                            << "2 taps" << Action::Cancel << QStringList{} << 0;
}

void FrmTapTest::useRunsTheEntryCheckAndLeavingChangesNothing() {
    QFETCH(int, valueType);
    QFETCH(Action, tapWith);
    QFETCH(Moments, taps);
    QFETCH(int, doublings);
    QFETCH(QString, tempo);
    QFETCH(QString, count);
    QFETCH(Action, leaveWith);
    QFETCH(QStringList, entryAndResults);
    QFETCH(int, messages);

    MainWindowSession session;
    session.choose("CmbValType", valueType);
    const QStringList before = QStringList{session.entry(0).text()} + session.results();

    const QStringList items = MainWindowSession::chooseFromContextMenu(
        session.entry(0), MainWindowSession::MenuKey::RightClick, QStringLiteral("Tap tempo…"));
    QVERIFY2(items.contains(QStringLiteral("Tap tempo…")), qPrintable(items.join(" | ")));
    auto* tap = session.calc().findChild<FrmTap*>(QStringLiteral("FrmTap"));
    QVERIFY(QTest::qWaitForWindowActive(tap));
    auto button = [tap](const char* name) -> QWidget& { return *tap->findChild<QPushButton*>(name); };

    for (const int moment : taps) {
        if (tapWith == Action::TapClick) {
            postClick(button("cmdTap"), moment);
        } else if (tapWith == Action::TapMouse) {
            mouseTap(button("cmdTap"), moment);
        } else if (tapWith == Action::TapEnter) {
            postKey(*tap, Qt::Key_Return, QStringLiteral("\r"), moment, false);
        } else {
            postKey(*tap, Qt::Key_Space, QStringLiteral(" "), moment,
                    tapWith == Action::HeldSpace && moment != taps[0]);
        }
    }
    QCoreApplication::processEvents();
    for (int i = 0; i < std::abs(doublings); ++i) {
        MainWindowSession::click(button(doublings > 0 ? "cmdDouble" : "cmdHalve"));
    }
    QCOMPARE(tap->findChild<QLabel*>(QStringLiteral("lblTempo"))->text(), tempo);
    QCOMPARE(tap->findChild<QLabel*>(QStringLiteral("lblTaps"))->text(), count);

    if (leaveWith == Action::Escape) {
        MainWindowSession::key(*tap, Qt::Key_Escape);
    } else {
        MainWindowSession::click(button(leaveWith == Action::Use ? "cmdUse" : "cmdCancel"));
    }

    QVERIFY(!tap->isVisible());
    QCOMPARE(QStringList{session.entry(0).text()} + session.results(),
             entryAndResults.isEmpty() ? before : entryAndResults);
    QCOMPARE(session.dialogs().messages.size(), messages);
    if (messages > 0) {
        QCOMPARE(session.dialogs().messages[0].text,
                 QStringLiteral("Invalid data entry, this value will reset to the previous value."));
    }
}

QTEST_MAIN(FrmTapTest)
#include "frm_tap_test.moc"
