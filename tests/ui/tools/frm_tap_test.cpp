#include "tests/ui/support/main_window_session.h"
#include "ui/tools/frm_tap.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <vector>

namespace {

enum class Action { TapSpace, TapEnter, TapClick, Use, Cancel, Escape };
using Moments = std::vector<std::int64_t>; // of the taps, in microseconds

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
    QTest::addColumn<Action>("leaveWith");
    QTest::addColumn<QStringList>("entryAndResults"); // empty: as before
    QTest::addColumn<int>("messages");

    QTest::newRow("Space, 120 bpm") << 0 << Action::TapSpace << Moments{0, 500000, 1000000} << Action::Use
                                    << QStringList{"120", "2", "0.5", "2"} << 0;
    QTest::newRow("Enter, 150 bpm as 2.5 Hz") << 1 << Action::TapEnter << Moments{0, 400000, 800000, 1200000}
                                              << Action::Use << QStringList{"2.5", "1.6", "0.4", "150"} << 0;
    // The slope of the least-squares line through the four taps, 0.5029 s a beat.
    QTest::newRow("clicks, uneven, rounded")
        << 0 << Action::TapClick << Moments{0, 450000, 1000000, 1493000} << Action::Use
        << QStringList{"119.31", "2.01156650741765", "0.502891626854413", "1.9885"} << 0;
    // 40 microseconds apart is 1500000 bpm, 25000 Hz: beyond the entry's 20000.
    QTest::newRow("refused by the entry")
        << 1 << Action::TapSpace << Moments{0, 40} << Action::Use << QStringList{} << 1;
    QTest::newRow("Escape") << 0 << Action::TapSpace << Moments{0, 500000} << Action::Escape << QStringList{}
                            << 0;
    QTest::newRow("Cancel") << 0 << Action::TapSpace << Moments{0, 500000} << Action::Cancel << QStringList{}
                            << 0;
}

void FrmTapTest::useRunsTheEntryCheckAndLeavingChangesNothing() {
    QFETCH(int, valueType);
    QFETCH(Action, tapWith);
    QFETCH(Moments, taps);
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
    FakeClock& clock = session.clock();
    QVERIFY(QTest::qWaitForWindowActive(tap));
    auto button = [tap](const char* name) -> QWidget& { return *tap->findChild<QPushButton*>(name); };

    for (const std::int64_t moment : taps) {
        clock.time = std::chrono::microseconds(moment);
        if (tapWith == Action::TapClick)
            MainWindowSession::click(button("cmdTap"));
        else
            MainWindowSession::key(*tap, tapWith == Action::TapSpace ? Qt::Key_Space : Qt::Key_Return);
    }
    if (leaveWith == Action::Escape)
        MainWindowSession::key(*tap, Qt::Key_Escape);
    else
        MainWindowSession::click(button(leaveWith == Action::Use ? "cmdUse" : "cmdCancel"));

    QVERIFY(!tap->isVisible());
    QCOMPARE(QStringList{session.entry(0).text()} + session.results(),
             entryAndResults.isEmpty() ? before : entryAndResults);
    QCOMPARE(session.dialogs().messages.size(), messages);
    if (messages > 0)
        QCOMPARE(session.dialogs().messages[0].text,
                 QStringLiteral("Invalid data entry, this value will reset to the previous value."));
}

QTEST_MAIN(FrmTapTest)
#include "frm_tap_test.moc"
