#include <tools_session.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString noteValuesItem = QStringLiteral("Note values…");

} // namespace

class FrmNotesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensFromEachResultBoxBesideStandardItems_data();
    void opensFromEachResultBoxBesideStandardItems();
    void followsRecalculation_data();
    void followsRecalculation();
    void saysWhyWhileMainWindowHasNoResults();
    void copiesCellOrWholeTableWithHeadings();

private:
    QWidget& openNotes();
    QTableWidget& table() const;
    QString cell(int row, int column) const { return table().item(row, column)->text(); }
    QString beatText() const;

    std::unique_ptr<ToolsSession> m_session;
};

void FrmNotesTest::init() {
    m_session = std::make_unique<ToolsSession>();
}

void FrmNotesTest::cleanup() {
    const QStringList unexpected = m_session->closedDialogs();
    m_session.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(", ")));
}

QWidget& FrmNotesTest::openNotes() {
    ToolsSession::chooseFromContextMenu(m_session->result(1), ToolsSession::MenuKey::RightClick,
                                        noteValuesItem);
    auto* notes = m_session->calc().findChild<QWidget*>(QStringLiteral("FrmNotes"));
    [&] { QVERIFY(QTest::qWaitForWindowExposed(notes)); }();
    return *notes;
}

QTableWidget& FrmNotesTest::table() const {
    return *m_session->calc().findChild<QTableWidget*>(QStringLiteral("tblNotes"));
}

QString FrmNotesTest::beatText() const {
    return m_session->calc().findChild<QLabel*>(QStringLiteral("lblBeat"))->text();
}

void FrmNotesTest::opensFromEachResultBoxBesideStandardItems_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<ToolsSession::MenuKey>("how");

    QTest::newRow("bar(s) length, right-click") << 0 << ToolsSession::MenuKey::RightClick;
    QTest::newRow("one beat length, Shift+F10") << 1 << ToolsSession::MenuKey::ShiftF10;
    QTest::newRow("converse rate, right-click") << 2 << ToolsSession::MenuKey::RightClick;
}

void FrmNotesTest::opensFromEachResultBoxBesideStandardItems() {
    QFETCH(int, box);
    QFETCH(ToolsSession::MenuKey, how);

    const QStringList items =
        ToolsSession::chooseFromContextMenu(m_session->result(box), how, noteValuesItem);

    const QString standard = items.join(QLatin1Char('|')).remove(QLatin1Char('&'));
    QVERIFY2(standard.contains(QStringLiteral("Copy")) && standard.contains(QStringLiteral("Select All")),
             qPrintable(standard));
    QCOMPARE(items.last(), noteValuesItem);
    auto* notes = m_session->calc().findChild<QWidget*>(QStringLiteral("FrmNotes"));
    QTRY_VERIFY(notes->isVisible());
    // Open at once on the figures the main window shows: 100 beats per minute.
    QCOMPARE(beatText(), QStringLiteral("A quarter note is one beat of 100 beats per minute."));
    QCOMPARE(cell(2, 0), QStringLiteral("0.6"));
}

void FrmNotesTest::followsRecalculation_data() {
    QTest::addColumn<int>("valueType");
    QTest::addColumn<int>("resultType");
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<int>("figure"); // length, rate, samples
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");

    QTest::newRow("120 bpm, dotted eighth in seconds") << 0 << 0 << "120" << 0 << 0 << 3 << 1 << "0.375";
    QTest::newRow("140 bpm, quintuplet 32nd in ms")
        << 0 << 1 << "140" << 0 << 0 << 5 << 3 << "42.8571428571429";
    QTest::newRow("2 Hz, dotted 64th as a rate") << 1 << 0 << "2" << 1 << 0 << 6 << 1 << "21.3333333333333";
    QTest::newRow("60 bpm, 32nd at 44100, tie down") << 0 << 0 << "60" << 2 << 0 << 5 << 0 << "5512";
    QTest::newRow("60 bpm, dotted 16th at 44100, tie up") << 0 << 0 << "60" << 2 << 0 << 4 << 1 << "16538";
    QTest::newRow("100 bpm, triplet quarter at 96000") << 0 << 0 << "100" << 2 << 3 << 2 << 2 << "38400";
    QTest::newRow("fits as a whole note") << 0 << 0 << "1.5E-306" << 0 << 0 << 0 << 0 << "1.6E+308";
    QTest::newRow("dotted whole beyond range") << 0 << 0 << "1.5E-306" << 0 << 0 << 0 << 1 << "out of range";
    QTest::newRow("whole note samples beyond 32 bits")
        << 0 << 0 << "0.001" << 2 << 4 << 0 << 0 << "out of range";
}

void FrmNotesTest::followsRecalculation() {
    QFETCH(int, valueType);
    QFETCH(int, resultType);
    QFETCH(QString, tempo);
    QFETCH(int, figure);
    QFETCH(int, sampleRate);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);

    QWidget& notes = openNotes();
    notes.findChild<QComboBox*>(QStringLiteral("cmbFigure"))->setCurrentIndex(figure);
    notes.findChild<QComboBox*>(QStringLiteral("cmbSampleRate"))->setCurrentIndex(sampleRate);

    m_session->choose("CmbValType", valueType);
    m_session->choose("CmbResType", resultType);
    m_session->typeInto(0, tempo);

    QVERIFY(m_session->dialogs().messages.isEmpty());
    QCOMPARE(cell(row, column), expected);
    QVERIFY(beatText().contains(tempo));
}

void FrmNotesTest::saysWhyWhileMainWindowHasNoResults() {
    openNotes();
    // Accepted by the entry, but the length of four beats overflows.
    m_session->typeInto(0, QStringLiteral("1E-307"));

    QCOMPARE(m_session->dialogs().messages.size(), 1);
    QCOMPARE(beatText(), QStringLiteral("No note values: these values lead to an overflow."));
    QCOMPARE(cell(2, 0), QString());

    m_session->typeInto(0, QStringLiteral("120"));
    QCOMPARE(beatText(), QStringLiteral("A quarter note is one beat of 120 beats per minute."));
    QCOMPARE(cell(2, 0), QStringLiteral("0.5"));
}

void FrmNotesTest::copiesCellOrWholeTableWithHeadings() {
    openNotes();
    QTableWidget& notes = table();
    QApplication::clipboard()->clear();

    const QRect quarterTriplet = notes.visualItemRect(notes.item(2, 2));
    QTest::mouseClick(notes.window()->windowHandle(), Qt::LeftButton, {},
                      notes.viewport()->mapTo(notes.window(), quarterTriplet.center()));
    ToolsSession::key(notes, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0.4"));

    ToolsSession::key(notes, Qt::Key_A, Qt::ControlModifier);
    ToolsSession::key(notes, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0], QStringLiteral("Seconds\tStraight\tDotted\tTriplet\tQuintuplet"));
    QCOMPARE(lines[1], QStringLiteral("Whole (1/1)\t2.4\t3.6\t1.6\t1.92"));
    QCOMPARE(lines[7], QStringLiteral("Sixty-fourth (1/64)\t0.0375\t0.05625\t0.025\t0.03"));
}

QTEST_MAIN(FrmNotesTest)
#include "tst_frm_notes.moc"
