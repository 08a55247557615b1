#include "tests/ui/support/main_window_session.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString noteValuesItem = QStringLiteral("Note values…");

// The main window with its note window opened from a result box, and what it shows.
struct NotesSession : MainWindowSession {
    explicit NotesSession(MenuKey how = MenuKey::RightClick, int box = 1) {
        menuItems = chooseFromContextMenu(result(box), how, noteValuesItem);
        notes = calc().findChild<QWidget*>(QStringLiteral("FrmNotes"));
        table = notes->findChild<QTableWidget*>(QStringLiteral("tblNotes"));
    }
    QString cell(int row, int column) const { return table->item(row, column)->text(); }
    QString beat() const { return notes->findChild<QLabel*>(QStringLiteral("lblBeat"))->text(); }

    QStringList menuItems;
    QWidget* notes = nullptr;
    QTableWidget* table = nullptr;
};

} // namespace

class FrmNotesTest : public QObject {
    Q_OBJECT

private slots:
    void opensFromEachResultBoxBesideStandardItems_data();
    void opensFromEachResultBoxBesideStandardItems();
    void followsRecalculation_data();
    void followsRecalculation();
    void opensWithoutCoveringTheMainWindow_data();
    void opensWithoutCoveringTheMainWindow();
    void showsEveryFigureWhole_data();
    void showsEveryFigureWhole();
    void keepsTheShownResultsAndSaysWhy();
    void opensOnTheLatestOutcome_data();
    void opensOnTheLatestOutcome();
    void copiesCellOrWholeTableWithHeadings();
    void closesBackToTheMainWindowAndComesBackWhenAsked();
    void saysWhichNoteTheMainWindowsBeatIs_data();
    void saysWhichNoteTheMainWindowsBeatIs();
};

void FrmNotesTest::opensFromEachResultBoxBesideStandardItems_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<MainWindowSession::MenuKey>("how");

    QTest::newRow("bar(s) length, right-click") << 0 << MainWindowSession::MenuKey::RightClick;
    QTest::newRow("one beat length, Shift+F10") << 1 << MainWindowSession::MenuKey::ShiftF10;
    QTest::newRow("converse rate, right-click") << 2 << MainWindowSession::MenuKey::RightClick;
}

void FrmNotesTest::opensFromEachResultBoxBesideStandardItems() {
    QFETCH(int, box);
    QFETCH(MainWindowSession::MenuKey, how);

    const NotesSession session(how, box);

    const QString standard = session.menuItems.join(QLatin1Char('|')).remove(QLatin1Char('&'));
    QVERIFY2(standard.contains(QStringLiteral("Copy")) && standard.contains(QStringLiteral("Select All")),
             qPrintable(standard));
    QCOMPARE(
        session.menuItems.mid(session.menuItems.size() - 3),
        (QStringList{noteValuesItem, QStringLiteral("Tempo from length…"), QStringLiteral("Metronome…")}));
    QTRY_VERIFY(session.notes->isVisible());
    // Open at once on the figures the main window shows: 100 beats per minute.
    QCOMPARE(session.beat(), QStringLiteral("A quarter note is one beat of 100 beats per minute."));
    QCOMPARE(session.cell(2, 0), QStringLiteral("0.6"));
}

void FrmNotesTest::followsRecalculation_data() {
    QTest::addColumn<int>("valueType");
    QTest::addColumn<int>("resultType");
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<int>("beat");   // quarter, dotted quarter, half, eighth
    QTest::addColumn<int>("figure"); // length, rate, samples
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");

    QTest::newRow("120 bpm, dotted eighth in seconds") << 0 << 0 << "120" << 0 << 0 << 0 << 3 << 1 << "0.375";
    QTest::newRow("140 bpm, quintuplet 32nd in ms")
        << 0 << 1 << "140" << 0 << 0 << 0 << 5 << 3 << "42.8571428571429";
    QTest::newRow("2 Hz, dotted 64th as a rate")
        << 1 << 0 << "2" << 0 << 1 << 0 << 6 << 1 << "21.3333333333333";
    QTest::newRow("60 bpm, 32nd at 44100, tie down") << 0 << 0 << "60" << 0 << 2 << 0 << 5 << 0 << "5512";
    QTest::newRow("60 bpm, dotted 16th at 44100, tie up")
        << 0 << 0 << "60" << 0 << 2 << 0 << 4 << 1 << "16538";
    QTest::newRow("100 bpm, triplet quarter at 96000") << 0 << 0 << "100" << 0 << 2 << 3 << 2 << 2 << "38400";
    QTest::newRow("dotted quarter beat, eighth in ms")
        << 0 << 1 << "60" << 1 << 0 << 0 << 3 << 0 << "333.333333333333";
    QTest::newRow("dotted quarter beat, quarter in ms")
        << 0 << 1 << "60" << 1 << 0 << 0 << 2 << 0 << "666.666666666667";
    QTest::newRow("fits as a whole note") << 0 << 0 << "1.5E-306" << 0 << 0 << 0 << 0 << 0 << "1.6E+308";
    QTest::newRow("dotted whole beyond range")
        << 0 << 0 << "1.5E-306" << 0 << 0 << 0 << 0 << 1 << "out of range";
    QTest::newRow("whole note samples beyond 32 bits")
        << 0 << 0 << "0.001" << 0 << 2 << 4 << 0 << 0 << "out of range";
}

void FrmNotesTest::followsRecalculation() {
    QFETCH(int, valueType);
    QFETCH(int, resultType);
    QFETCH(QString, tempo);
    QFETCH(int, beat);
    QFETCH(int, figure);
    QFETCH(int, sampleRate);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);

    NotesSession session;
    session.notes->findChild<QComboBox*>(QStringLiteral("cmbBeat"))->setCurrentIndex(beat);
    session.notes->findChild<QComboBox*>(QStringLiteral("cmbFigure"))->setCurrentIndex(figure);
    session.notes->findChild<QComboBox*>(QStringLiteral("cmbSampleRate"))->setCurrentIndex(sampleRate);

    session.choose("CmbValType", valueType);
    session.choose("CmbResType", resultType);
    session.typeInto(0, tempo);

    QVERIFY(session.dialogs().messages.isEmpty());
    QCOMPARE(session.cell(row, column), expected);
    QVERIFY(session.beat().contains(tempo));
    const QStringList beatNotes = {"A quarter note", "A dotted quarter note", "A half note",
                                   "An eighth note"};
    QVERIFY2(session.beat().startsWith(beatNotes[beat]), qPrintable(session.beat()));
}

void FrmNotesTest::opensWithoutCoveringTheMainWindow_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");

    QTest::newRow("note values") << noteValuesItem << "FrmNotes";
    QTest::newRow("tap tempo") << QStringLiteral("Tap tempo…") << "FrmTap";
}

void FrmNotesTest::opensWithoutCoveringTheMainWindow() {
    QFETCH(QString, item);
    QFETCH(QString, window);

    MainWindowSession session;
    // In a corner, the main window leaves room beside or below it on the offscreen screen.
    session.calc().move(session.calc().screen()->availableGeometry().topLeft());
    QTRY_COMPARE(session.calc().frameGeometry().topLeft(),
                 session.calc().screen()->availableGeometry().topLeft());
    MainWindowSession::chooseFromContextMenu(session.entry(0), MainWindowSession::MenuKey::RightClick, item);
    auto* tool = session.calc().findChild<QWidget*>(window);
    QVERIFY(tool != nullptr);
    QTRY_VERIFY(tool->isVisible());

    QVERIFY(!tool->frameGeometry().intersects(session.calc().frameGeometry()));
}

void FrmNotesTest::showsEveryFigureWhole_data() {
    QTest::addColumn<QString>("tempo");
    // Cells such as 1.06666666666667E+101 seconds, longer than any usual figure.
    QTest::newRow("1.5E-99 bpm") << "1.5E-99";
    QTest::newRow("1.5E-306 bpm") << "1.5E-306";
}

void FrmNotesTest::showsEveryFigureWhole() {
    QFETCH(QString, tempo);
    NotesSession session;
    session.typeInto(0, tempo);
    QVERIFY(session.dialogs().messages.isEmpty());

    const QTableWidget& table = *session.table;
    const QRect visible = table.viewport()->rect();
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            const QString text = session.cell(row, column);
            const QRect cell = table.visualItemRect(table.item(row, column));
            QVERIFY2(visible.contains(cell), qPrintable(QStringLiteral("row %1 cut off").arg(row)));
            // One line, all of it: a wrapped figure would make its row taller than a line.
            QVERIFY2(table.fontMetrics().horizontalAdvance(text) < cell.width() &&
                         cell.height() < 2 * table.fontMetrics().height(),
                     qPrintable(text));
        }
    }
}

void FrmNotesTest::keepsTheShownResultsAndSaysWhy() {
    NotesSession session;
    // Accepted by the entry, but the length of four beats overflows.
    session.typeInto(0, QStringLiteral("1E-307"));

    QCOMPARE(session.dialogs().messages.size(), 1);
    QCOMPARE(session.result(1).text(), QStringLiteral("0.6"));
    QCOMPARE(session.beat(),
             QStringLiteral("A quarter note is one beat of 100 beats per minute. The main window "
                            "kept these results: these values lead to an overflow."));
    QCOMPARE(session.cell(2, 0), QStringLiteral("0.6"));

    session.typeInto(0, QStringLiteral("120"));
    QCOMPARE(session.beat(), QStringLiteral("A quarter note is one beat of 120 beats per minute."));
    QCOMPARE(session.cell(2, 0), QStringLiteral("0.5"));
}

void FrmNotesTest::opensOnTheLatestOutcome_data() {
    QTest::addColumn<bool>("openedBefore");
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<QString>("beat");
    QTest::addColumn<QString>("quarter");

    const QString kept = QStringLiteral(
        "A quarter note is one beat of 100 beats per minute. The main window kept these results: these "
        "values lead to an overflow.");
    QTest::newRow("recalculated before the first opening")
        << false << "120"
        << "A quarter note is one beat of 120 beats per minute."
        << "0.5";
    QTest::newRow("failed before the first opening") << false << "1E-307" << kept << "0.6";
    QTest::newRow("recalculated while closed") << true << "120"
                                               << "A quarter note is one beat of 120 beats per minute."
                                               << "0.5";
    QTest::newRow("failed while closed") << true << "1E-307" << kept << "0.6";
}

void FrmNotesTest::opensOnTheLatestOutcome() {
    QFETCH(bool, openedBefore);
    QFETCH(QString, tempo);
    QFETCH(QString, beat);
    QFETCH(QString, quarter);

    MainWindowSession session;
    const auto openNotes = [&session] {
        MainWindowSession::chooseFromContextMenu(session.result(1), MainWindowSession::MenuKey::RightClick,
                                                 noteValuesItem);
        return session.calc().findChild<QWidget*>(QStringLiteral("FrmNotes"));
    };
    if (openedBefore) {
        QWidget* first = openNotes();
        QVERIFY(first != nullptr);
        QTRY_VERIFY(first->isVisible());
        MainWindowSession::key(*first, Qt::Key_Escape);
        QVERIFY(!first->isVisible());
    }
    session.typeInto(0, tempo);

    QWidget* notes = openNotes();
    QVERIFY(notes != nullptr);
    QTRY_VERIFY(notes->isVisible());
    QCOMPARE(notes->findChild<QLabel*>(QStringLiteral("lblBeat"))->text(), beat);
    QCOMPARE(notes->findChild<QTableWidget*>(QStringLiteral("tblNotes"))->item(2, 0)->text(), quarter);
}

void FrmNotesTest::copiesCellOrWholeTableWithHeadings() {
    NotesSession session;
    QTableWidget& table = *session.table;
    QApplication::clipboard()->clear();

    const QRect quarterTriplet = table.visualItemRect(table.item(2, 2));
    QTest::mouseClick(table.window()->windowHandle(), Qt::LeftButton, {},
                      table.viewport()->mapTo(table.window(), quarterTriplet.center()));
    MainWindowSession::key(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0.4"));

    MainWindowSession::key(table, Qt::Key_A, Qt::ControlModifier);
    MainWindowSession::key(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], QStringLiteral("Seconds\tStraight\tDotted\tTriplet\tQuintuplet"));
    QCOMPARE(lines[1], QStringLiteral("Whole (1/1)\t2.4\t3.6\t1.6\t1.92"));
    QCOMPARE(lines[7], QStringLiteral("Sixty-fourth (1/64)\t0.0375\t0.05625\t0.025\t0.03"));
}

// Closed, it hands the keyboard back to the main window (nobody else does without a window
// manager); minimised with it, it comes back when it is asked for again.
void FrmNotesTest::closesBackToTheMainWindowAndComesBackWhenAsked() {
    NotesSession session;
    QTRY_VERIFY(session.notes->isActiveWindow());
    MainWindowSession::key(*session.notes, Qt::Key_Escape);
    QVERIFY(!session.notes->isVisible());
    QTRY_COMPARE(QGuiApplication::focusWindow(), session.calc().windowHandle());

    MainWindowSession::chooseFromContextMenu(session.result(1), MainWindowSession::MenuKey::RightClick,
                                             noteValuesItem);
    QTRY_VERIFY(session.notes->isActiveWindow());
    session.notes->showMinimized();
    MainWindowSession::chooseFromContextMenu(session.result(1), MainWindowSession::MenuKey::RightClick,
                                             noteValuesItem);
    QVERIFY(!(session.notes->windowState() & Qt::WindowMinimized));
    QTRY_VERIFY(session.notes->isActiveWindow());
}

void FrmNotesTest::saysWhichNoteTheMainWindowsBeatIs_data() {
    QTest::addColumn<QString>("bars");
    QTest::addColumn<QString>("beatsPerBar");
    QTest::addColumn<QString>("said"); // after the first sentence; empty: nothing more

    QTest::newRow("one bar of four: the same beat") << "1"
                                                    << "4"
                                                    << "";
    QTest::newRow("two bars of four: an eighth")
        << "2"
        << "4"
        << " The main window's one beat length, 0.25 s, is an eighth note.";
    QTest::newRow("one bar of six: a triplet")
        << "1"
        << "6"
        << " The main window's one beat length, 0.333333333333333 s, is a quarter-note triplet.";
    QTest::newRow("one bar of seven: none")
        << "1"
        << "7"
        << " The main window's one beat length, 0.285714285714286 s, is none of these notes.";
}

// The main window divides its bars by bars x beats per bar; where that is not the beat here,
// the note window says which note it is, so that the two windows never seem to disagree.
void FrmNotesTest::saysWhichNoteTheMainWindowsBeatIs() {
    QFETCH(QString, bars);
    QFETCH(QString, beatsPerBar);
    QFETCH(QString, said);

    NotesSession session;
    session.typeInto(0, QStringLiteral("120"));
    session.typeInto(1, bars);
    session.typeInto(2, beatsPerBar);
    QCOMPARE(session.beat(), QStringLiteral("A quarter note is one beat of 120 beats per minute.") + said);
}

QTEST_MAIN(FrmNotesTest)
#include "frm_notes_test.moc"
