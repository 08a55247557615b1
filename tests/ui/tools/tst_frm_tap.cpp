#include <tools/frm_tap.h>
#include <tools/tap_clock.h>
#include <tools_session.h>

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <vector>

namespace {

const QString tapTempoItem = QStringLiteral("Tap tempo…");
const QString invalidEntry =
    QStringLiteral("Invalid data entry, this value will reset to the previous value.");

class FakeClock final : public TapClock {
public:
    std::chrono::nanoseconds now() const override { return time; }
    std::chrono::nanoseconds time{};
};

enum class TapWith { Space, Enter, Mouse };
enum class Leave { Use, Escape, Cancel };

} // namespace

Q_DECLARE_METATYPE(TapWith)
Q_DECLARE_METATYPE(Leave)

class FrmTapTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void useEntersTappedTempoAndRecalculates_data();
    void useEntersTappedTempoAndRecalculates();
    void refusedOrCancelledTempoKeepsEntryText_data();
    void refusedOrCancelledTempoKeepsEntryText();

private:
    FrmTap& openTap();
    void tapAt(FrmTap& tap, const std::vector<std::int64_t>& microseconds, TapWith with);
    QPushButton& button(FrmTap& tap, const char* name) const;

    std::unique_ptr<ToolsSession> m_session;
    FakeClock m_clock;
};

void FrmTapTest::init() {
    m_session = std::make_unique<ToolsSession>();
}

void FrmTapTest::cleanup() {
    const QStringList unexpected = m_session->closedDialogs();
    m_session.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
}

FrmTap& FrmTapTest::openTap() {
    const QStringList items = ToolsSession::chooseFromContextMenu(
        m_session->entry(0), ToolsSession::MenuKey::RightClick, tapTempoItem);
    [&] { QVERIFY2(items.contains(tapTempoItem), qPrintable(items.join(" | "))); }();
    auto* tap = m_session->calc().findChild<FrmTap*>(QStringLiteral("FrmTap"));
    tap->setClock(m_clock);
    [&] { QVERIFY(QTest::qWaitForWindowActive(tap)); }();
    return *tap;
}

QPushButton& FrmTapTest::button(FrmTap& tap, const char* name) const {
    return *tap.findChild<QPushButton*>(QString::fromLatin1(name));
}

void FrmTapTest::tapAt(FrmTap& tap, const std::vector<std::int64_t>& microseconds, TapWith with) {
    for (const std::int64_t moment : microseconds) {
        m_clock.time = std::chrono::microseconds(moment);
        switch (with) {
        case TapWith::Space:
            ToolsSession::key(tap, Qt::Key_Space);
            break;
        case TapWith::Enter:
            ToolsSession::key(tap, Qt::Key_Return);
            break;
        case TapWith::Mouse:
            ToolsSession::click(button(tap, "cmdTap"));
            break;
        }
    }
}

void FrmTapTest::useEntersTappedTempoAndRecalculates_data() {
    QTest::addColumn<int>("valueType");
    QTest::addColumn<TapWith>("with");
    QTest::addColumn<std::vector<std::int64_t>>("taps");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QStringList>("results");

    QTest::newRow("Space, 120 bpm") << 0 << TapWith::Space << std::vector<std::int64_t>{0, 500000, 1000000}
                                    << "120" << QStringList{"2", "0.5", "2"};
    QTest::newRow("Enter, 150 bpm as 2.5 Hz")
        << 1 << TapWith::Enter << std::vector<std::int64_t>{0, 400000, 800000, 1200000} << "2.5"
        << QStringList{"1.6", "0.4", "150"};
    QTest::newRow("mouse, uneven taps, rounded")
        << 0 << TapWith::Mouse << std::vector<std::int64_t>{0, 450000, 1000000, 1493000} << "120.56"
        << QStringList{"1.9907100199071", "0.497677504976775", "2.00933333333333"};
}

void FrmTapTest::useEntersTappedTempoAndRecalculates() {
    QFETCH(int, valueType);
    QFETCH(TapWith, with);
    QFETCH(std::vector<std::int64_t>, taps);
    QFETCH(QString, entered);
    QFETCH(QStringList, results);

    m_session->choose("CmbValType", valueType);
    FrmTap& tap = openTap();
    tapAt(tap, taps, with);
    ToolsSession::click(button(tap, "cmdUse"));

    QVERIFY(!tap.isVisible());
    QCOMPARE(m_session->entry(0).text(), entered);
    QCOMPARE(m_session->results(), results);
    QVERIFY(m_session->dialogs().messages.isEmpty());
}

void FrmTapTest::refusedOrCancelledTempoKeepsEntryText_data() {
    QTest::addColumn<Leave>("leave");
    QTest::addColumn<bool>("refused");

    // 40 microseconds apart is 1500000 bpm, 25000 Hz: beyond the entry's 20000.
    QTest::newRow("Use, refused") << Leave::Use << true;
    QTest::newRow("Escape") << Leave::Escape << false;
    QTest::newRow("Cancel") << Leave::Cancel << false;
}

void FrmTapTest::refusedOrCancelledTempoKeepsEntryText() {
    QFETCH(Leave, leave);
    QFETCH(bool, refused);

    m_session->choose("CmbValType", 1);
    const QString before = m_session->entry(0).text();
    const QStringList resultsBefore = m_session->results();

    FrmTap& tap = openTap();
    tapAt(tap, {0, 40}, TapWith::Space);
    switch (leave) {
    case Leave::Use:
        ToolsSession::click(button(tap, "cmdUse"));
        break;
    case Leave::Escape:
        ToolsSession::key(tap, Qt::Key_Escape);
        break;
    case Leave::Cancel:
        ToolsSession::click(button(tap, "cmdCancel"));
        break;
    }

    QVERIFY(!tap.isVisible());
    QCOMPARE(m_session->entry(0).text(), before);
    QCOMPARE(m_session->results(), resultsBefore);
    if (refused) {
        QCOMPARE(m_session->dialogs().messages.size(), 1);
        QCOMPARE(m_session->dialogs().messages[0].text, invalidEntry);
    } else {
        QVERIFY(m_session->dialogs().messages.isEmpty());
    }
}

QTEST_MAIN(FrmTapTest)
#include "tst_frm_tap.moc"
