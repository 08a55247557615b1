#include "tests/ui/support/main_window_session.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>
#include <QtTest>

namespace {

const QString lengthItem = QStringLiteral("Tempo from length…");

// The main window with its length window opened from a result box, and the user's keys on it.
struct LengthSession : MainWindowSession {
    void open() {
        const QStringList items = chooseFromContextMenu(result(1), MenuKey::RightClick, lengthItem);
        QVERIFY2(items.contains(lengthItem), qPrintable(items.join(" | ")));
        window = calc().findChild<QWidget*>(QStringLiteral("FrmLength"));
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    void press(char key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }

    // Reaches the entry by its caption's Alt key and types over its text; a text with a line
    // break or a tab, which no key types into an entry, is pasted over it as a spreadsheet's
    // cell is.
    void type(char mnemonic, const QString& text) const {
        press(mnemonic, Qt::AltModifier);
        press(Qt::Key_A, Qt::ControlModifier);
        if (text.contains(QRegularExpression(QStringLiteral("[\\t\\r\\n]")))) {
            QGuiApplication::clipboard()->setText(text);
            press(Qt::Key_V, Qt::ControlModifier);
            return;
        }
        press(Qt::Key_Backspace);
        for (const QChar character : text) {
            press(character.toLatin1());
        }
    }

    // Reaches the selector by its caption's Alt key and steps to the item.
    void pick(char mnemonic, int index) const {
        press(mnemonic, Qt::AltModifier);
        press(Qt::Key_Home);
        for (int i = 0; i < index; ++i) {
            press(Qt::Key_Down);
        }
    }

    QString shown(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
    QString entryText(const char* name) const { return window->findChild<QLineEdit*>(name)->text(); }
    QStringList mainFigures() const { return QStringList{entry(0).text()} + results(); }

    QWidget* window = nullptr;
};

} // namespace

class FrmLengthTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheTempoAndUseRunsTheEntryCheck_data();
    void showsTheTempoAndUseRunsTheEntryCheck();
    void stretchesTheTempo_data();
    void stretchesTheTempo();
    void keepsWhatTheUserTyped();
};

void FrmLengthTest::showsTheTempoAndUseRunsTheEntryCheck_data() {
    QTest::addColumn<int>("valueType");
    QTest::addColumn<QString>("length");
    QTest::addColumn<int>("unit");       // seconds, milliseconds, samples
    QTest::addColumn<int>("sampleRate"); // 44,100 Hz first; -1 for none, a selector out of reach
    QTest::addColumn<QString>("bars");
    QTest::addColumn<QString>("beatsPerBar");
    QTest::addColumn<QStringList>("figures");  // tempo, beats per second, one beat, message
    QTest::addColumn<QStringList>("afterUse"); // the main entry and results; empty: as before
    QTest::addColumn<int>("messages");

    QTest::newRow("2 bars of 4 in 4 s")
        << 0 << "4" << 0 << -1 << "2"
        << "4" << QStringList{"120 BPM", "2 Hz", "0.5 s", ""} << QStringList{"120", "2", "0.5", "2"} << 0;
    QTest::newRow("pasted with a spreadsheet's line break")
        << 0 << "4\n"
        << 0 << -1 << "\t2\r\n"
        << "4\n"
        << QStringList{"120 BPM", "2 Hz", "0.5 s", ""} << QStringList{"120", "2", "0.5", "2"} << 0;
    QTest::newRow("88,200 samples at 44,100 Hz, as cycles per second")
        << 1 << "88200" << 2 << 0 << "1"
        << "4" << QStringList{"120 BPM", "2 Hz", "0.5 s", ""} << QStringList{"2", "2", "0.5", "120"} << 0;
    // Three beats to the bar; the main window's bar stays four of them long.
    QTest::newRow("4 bars of 3 in 7.5 s") << 0 << "7.5" << 0 << -1 << "4"
                                          << "3" << QStringList{"96 BPM", "1.6 Hz", "0.625 s", ""}
                                          << QStringList{"96", "2.5", "0.625", "1.6"} << 0;
    QTest::newRow("negative length") << 0 << "-2" << 0 << -1 << "1"
                                     << "4"
                                     << QStringList{"", "", "", "The length must be greater than zero."}
                                     << QStringList{} << 0;
    QTest::newRow("too many bars") << 0 << "1500" << 1 << -1 << "1025"
                                   << "4" << QStringList{"", "", "", "Bars must be at most 1024."}
                                   << QStringList{} << 0;
    // Each figure fits or not on its own; a tempo that does not cannot be used.
    QTest::newRow("tempo too large") << 0 << "1E-307" << 0 << -1 << "1"
                                     << "4" << QStringList{"out of range", "4E+307 Hz", "2.5E-308 s", ""}
                                     << QStringList{} << 0;
    QTest::newRow("tempo too large, 4 bars of 3")
        << 0 << "1E-306" << 0 << -1 << "4"
        << "3" << QStringList{"out of range", "1.2E+307 Hz", "8.33333333333333E-308 s", ""} << QStringList{}
        << 0;
    QTest::newRow("tempo just within range")
        << 0 << "1E-306" << 0 << -1 << "1"
        << "1" << QStringList{"6E+307 BPM", "1E+306 Hz", "1E-306 s", ""} << QStringList{} << 1;
    // Rounded to 15 significant digits, not to 15 places.
    QTest::newRow("a beat of 1E-300 s")
        << 0 << "1E-300" << 0 << -1 << "1"
        << "1" << QStringList{"6E+301 BPM", "1E+300 Hz", "1E-300 s", ""} << QStringList{} << 1;
    // 40,000 cycles per second, beyond the tempo entry's 20,000.
    QTest::newRow("refused by the entry")
        << 1 << "0.1" << 1 << -1 << "1"
        << "4" << QStringList{"2400000 BPM", "40000 Hz", "2.5E-05 s", ""} << QStringList{} << 1;
}

void FrmLengthTest::showsTheTempoAndUseRunsTheEntryCheck() {
    QFETCH(int, valueType);
    QFETCH(QString, length);
    QFETCH(int, unit);
    QFETCH(int, sampleRate);
    QFETCH(QString, bars);
    QFETCH(QString, beatsPerBar);
    QFETCH(QStringList, figures);
    QFETCH(QStringList, afterUse);
    QFETCH(int, messages);

    LengthSession session;
    session.choose("CmbValType", valueType);
    const QStringList before = session.mainFigures();
    session.open();
    session.pick('u', unit);
    if (sampleRate >= 0) {
        session.pick('r', sampleRate);
    }
    session.type('l', length);
    session.type('b', bars);
    session.type('p', beatsPerBar);
    QCOMPARE((QStringList{session.shown("lblBpm"), session.shown("lblHz"), session.shown("lblBeat"),
                          session.shown("lblLengthMessage")}),
             figures);

    MainWindowSession::click(*session.window->findChild<QPushButton*>(QStringLiteral("cmdUse")));
    QCOMPARE(session.mainFigures(), afterUse.isEmpty() ? before : afterUse);
    QCOMPARE(session.dialogs().messages.size(), messages);
    if (messages > 0) {
        QCOMPARE(session.dialogs().messages[0].text,
                 QStringLiteral("Invalid data entry, this value will reset to the previous value."));
    }
}

void FrmLengthTest::stretchesTheTempo_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("semitones");
    // Ratio, change, bars length, semitones, cents, the shift's tempo, message.
    QTest::addColumn<QStringList>("figures");

    // The exact pitch ends in ...775, not the ...776 that ratio - 1 would give.
    QTest::newRow("120 to 126") << "120"
                                << "126"
                                << "0" << QStringList{"1.05",
                                                      "+5 %",
                                                      "2 s becomes 1.9047619047619 s",
                                                      "+0.844671934696775 semitones",
                                                      "+84.4671934696775 cents",
                                                      "120 BPM",
                                                      ""};
    QTest::newRow("pasted with line breaks") << "120\r\n"
                                             << "\t126\n"
                                             << "0\n"
                                             << QStringList{"1.05",
                                                            "+5 %",
                                                            "2 s becomes 1.9047619047619 s",
                                                            "+0.844671934696775 semitones",
                                                            "+84.4671934696775 cents",
                                                            "120 BPM",
                                                            ""};
    QTest::newRow("80 up an octave")
        << "80"
        << "160"
        << "12"
        << QStringList{"2", "+100 %", "3 s becomes 1.5 s", "+12 semitones", "+1200 cents", "160 BPM", ""};
    QTest::newRow("down a fraction")
        << "100"
        << "100"
        << "-0.5"
        << QStringList{"1", "0 %", "2.4 s becomes 2.4 s", "0 semitones", "0 cents", "97.1531941153606 BPM",
                       ""};
    // The ratio and the change leave the double range; the pitch and the lengths do not.
    QTest::newRow("1E-300 to 1E+300") << "1E-300"
                                      << "1E+300"
                                      << "0"
                                      << QStringList{"out of range",
                                                     "out of range",
                                                     "2.4E+302 s becomes 2.4E-298 s",
                                                     "+23917.882283189 semitones",
                                                     "+2391788.2283189 cents",
                                                     "1E-300 BPM",
                                                     ""};
    QTest::newRow("source zero")
        << "0"
        << "126"
        << "1" << QStringList{"", "", "", "", "", "", "The source tempo must be greater than zero."};
}

void FrmLengthTest::stretchesTheTempo() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, semitones);
    QFETCH(QStringList, figures);

    LengthSession session;
    session.open();
    session.type('s', source);
    session.type('t', target);
    session.type('h', semitones);
    QStringList shown;
    for (const char* name : {"lblRatio", "lblPercent", "lblNewLength", "lblSemitones", "lblCents",
                             "lblShiftTarget", "lblStretchMessage"}) {
        shown << session.shown(name);
    }
    QCOMPARE(shown, figures);
}

// The window opens on the main window's figures, but what was typed into it stays.
void FrmLengthTest::keepsWhatTheUserTyped() {
    LengthSession session;
    session.typeInto(1, QStringLiteral("2"));
    session.open();
    QCOMPARE(session.entryText("txtBars"), QStringLiteral("2"));
    QCOMPARE(session.entryText("txtSource"), QStringLiteral("100"));
    session.type('p', QStringLiteral("3"));
    session.press(Qt::Key_Escape);
    QVERIFY(!session.window->isVisible());

    session.choose("CmbValType", 1); // 1 cycle per second
    session.typeInto(2, QStringLiteral("7"));
    session.open();
    QCOMPARE(session.entryText("txtSource"), QStringLiteral("60"));
    QCOMPARE(session.entryText("txtBeatsPerBar"), QStringLiteral("3"));
}

QTEST_MAIN(FrmLengthTest)
#include "frm_length_test.moc"
