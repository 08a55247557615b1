// Which keys typed into a result box start a quick operation, in the main window and in the
// result window alike: typed characters do, Ctrl and Alt chords do not, AltGr characters do.
#include "tests/ui/quick/quick_session.h"

#include "ui/main/frm_calc.h"

#include <QLocale>
#include <QTest>

class ResultBoxKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void mainWindowResultBox_data();
    void mainWindowResultBox();
    void resultWindowBox_data() { keyRows(); }
    void resultWindowBox();

private:
    static void keyRows();

    ModalWatchdog* m_watchdog = nullptr;
};

void ResultBoxKeysTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    m_watchdog = new ModalWatchdog(this);
}

void ResultBoxKeysTest::cleanup() {
    QVERIFY2(m_watchdog->closedDialogs.isEmpty(), qPrintable(m_watchdog->closedDialogs.join(u", ")));
}

void ResultBoxKeysTest::keyRows() {
    QTest::addColumn<char>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("startsOperation");

    QTest::newRow("- typed") << '-' << Qt::KeyboardModifiers() << true;
    QTest::newRow("* from the keypad") << '*' << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
    QTest::newRow("Ctrl+-") << '-' << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("Alt+-") << '-' << Qt::KeyboardModifiers(Qt::AltModifier) << false;
    QTest::newRow("Ctrl+*") << '*' << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+.") << '.' << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("Meta+/") << '/' << Qt::KeyboardModifiers(Qt::MetaModifier) << false;
    // German layouts: X11 reports AltGr as a group switch, Windows as Ctrl+Alt.
    QTest::newRow("AltGr+\\ on X11") << '\\' << Qt::KeyboardModifiers(Qt::GroupSwitchModifier) << true;
    QTest::newRow("AltGr+\\ on Windows")
        << '\\' << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << true;
    QTest::newRow("# without AltGr") << '#' << Qt::KeyboardModifiers() << true;
}

void ResultBoxKeysTest::mainWindowResultBox_data() {
    keyRows();
    // In the result window Enter closes it instead.
    QTest::newRow("Enter") << '\r' << Qt::KeyboardModifiers() << false;
}

// The key goes through the main window as the platform delivers it, after a click has given
// the box the focus. Every operation asked for is cancelled, so no result window opens.
void ResultBoxKeysTest::mainWindowResultBox() {
    QFETCH(char, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, startsOperation);
    ScriptedDialogs dialogs;
    dialogs.queueAnswers({QString()});
    FrmCalc window(dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("TxtResult(1)"));
    QVERIFY(box != nullptr);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      box->mapTo(&window, QPoint(5, box->height() / 2)));
    QVERIFY(box->hasFocus());

    QTest::keyClick(window.windowHandle(), key, modifiers);

    QCOMPARE(dialogs.questions.size(), startsOperation ? 1 : 0);
    QVERIFY(dialogs.messages.isEmpty());
}

// In the result window a chord keeps the window open; an operator chains, its operand is
// cancelled, and the chain ends with no window left.
void ResultBoxKeysTest::resultWindowBox() {
    QFETCH(char, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, startsOperation);
    QuickSession session;
    QVERIFY(session.driver != nullptr);
    session.dialogs.script.queueAnswers({QStringLiteral("2"), QString()});
    bool openAfterKey = false;
    session.driver->queueActions({[&](QWidget& window, QLineEdit&) {
        QTest::keyClick(window.windowHandle(), key, modifiers);
        openAfterKey = window.isVisible();
        if (openAfterKey) {
            QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        }
    }});

    session.calculator.loadCurrentValue(0.6);
    session.calculator.QuickCalc(0);

    QCOMPARE(session.dialogs.script.questions.size(), startsOperation ? 2 : 1);
    QCOMPARE(openAfterKey, !startsOperation);
    QCOMPARE(session.driver->displays.size(), 1);
    QVERIFY(session.nothingLeftOpen());
    session.checkNothingStray(*m_watchdog);
}

QTEST_MAIN(ResultBoxKeysTest)
#include "result_box_keys_test.moc"
