// The main window from the keyboard and the clipboard: the result boxes reached without a
// mouse, whole numbers copied, and numbers pasted from a spreadsheet.
#include "tests/ui/support/main_window_session.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

class FrmCalcKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void f6ReachesTheResultsAndComesBack_data();
    void f6ReachesTheResultsAndComesBack();
    void operatorKeyWorksOnAResultReachedByF6();
    void copyTakesTheWholeNumber_data();
    void copyTakesTheWholeNumber();
    void pasteDropsLineEndsOnly_data();
    void pasteDropsLineEndsOnly();
};

void FrmCalcKeyboardTest::f6ReachesTheResultsAndComesBack_data() {
    QTest::addColumn<int>("startEntry");
    QTest::addColumn<QList<bool>>("forward"); // true F6, false Shift+F6
    QTest::addColumn<QStringList>("focused"); // after each key

    QTest::newRow("F6 round") << 1 << QList<bool>{true, true, true, true}
                              << QStringList{"TxtResult(0)", "TxtResult(1)", "TxtResult(2)", "TxtValue(1)"};
    QTest::newRow("Shift+F6 round") << 2 << QList<bool>{false, false, false, false}
                                    << QStringList{"TxtResult(2)", "TxtResult(1)", "TxtResult(0)",
                                                   "TxtValue(2)"};
    QTest::newRow("there and back") << 0 << QList<bool>{true, false}
                                    << QStringList{"TxtResult(0)", "TxtValue(0)"};
}

void FrmCalcKeyboardTest::f6ReachesTheResultsAndComesBack() {
    QFETCH(int, startEntry);
    QFETCH(QList<bool>, forward);
    QFETCH(QStringList, focused);

    MainWindowSession session;
    MainWindowSession::click(session.entry(startEntry));
    QStringList seen;
    for (const bool ahead : forward) {
        MainWindowSession::key(session.calc(), Qt::Key_F6, ahead ? Qt::NoModifier : Qt::ShiftModifier);
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, focused);
    // Tab keeps its designed round: from the entry the keyboard came back to, on to the next.
    QCOMPARE(session.dialogs().messages.size(), 0);
}

void FrmCalcKeyboardTest::operatorKeyWorksOnAResultReachedByF6() {
    MainWindowSession session;
    MainWindowSession::click(session.entry(0));
    MainWindowSession::key(session.calc(), Qt::Key_F6);
    MainWindowSession::key(session.calc(), Qt::Key_F6); // the one beat length, 0.6
    QString shown;
    QTimer::singleShot(0, &session.calc(), [&shown] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        QWidget* window = QApplication::activeModalWidget();
        shown = window->findChild<QLineEdit*>(QStringLiteral("TxtResult"))->text();
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    });
    session.dialogs().queueAnswers({QStringLiteral("2")});
    QTest::keyClick(session.calc().windowHandle(), '*');
    QCOMPARE(shown, QStringLiteral("1.2"));
}

void FrmCalcKeyboardTest::copyTakesTheWholeNumber_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("how");

    QTest::newRow("Ctrl+C, nothing selected") << 2 << "keys";
    QTest::newRow("context menu Copy") << 2 << "menu";
    QTest::newRow("double click, then Ctrl+C") << 2 << "double click";
}

void FrmCalcKeyboardTest::copyTakesTheWholeNumber() {
    QFETCH(int, box);
    QFETCH(QString, how);

    MainWindowSession session;
    QLineEdit& result = session.result(box);
    QGuiApplication::clipboard()->clear();
    MainWindowSession::click(result);
    result.deselect();
    if (how == QLatin1String("menu")) {
        MainWindowSession::chooseFromContextMenu(result, MainWindowSession::MenuKey::RightClick,
                                                 QStringLiteral("&Copy\tCtrl+C"));
    } else {
        if (how == QLatin1String("double click")) {
            const QPoint afterSeparator(result.width() / 4, result.height() / 2);
            QTest::mouseDClick(session.calc().windowHandle(), Qt::LeftButton, {},
                               result.mapTo(&session.calc(), afterSeparator));
            QCOMPARE(result.selectedText(), result.text());
        }
        MainWindowSession::key(result, Qt::Key_C, Qt::ControlModifier);
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.66666666666667"));
}

void FrmCalcKeyboardTest::pasteDropsLineEndsOnly_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("results"); // empty: refused with the entry message

    QTest::newRow("line break after") << "120\n" << QStringList{"2", "0.5", "2"};
    QTest::newRow("Windows line end and tab") << "\t120\r\n" << QStringList{"2", "0.5", "2"};
    QTest::newRow("break inside") << "1\n20" << QStringList{};
}

void FrmCalcKeyboardTest::pasteDropsLineEndsOnly() {
    QFETCH(QString, clipboard);
    QFETCH(QStringList, results);

    MainWindowSession session;
    const QStringList before = session.results();
    MainWindowSession::click(session.entry(0));
    session.entry(0).selectAll();
    QGuiApplication::clipboard()->setText(clipboard);
    MainWindowSession::key(session.entry(0), Qt::Key_V, Qt::ControlModifier);
    MainWindowSession::key(session.entry(0), Qt::Key_Return);

    QCOMPARE(session.results(), results.isEmpty() ? before : results);
    QCOMPARE(session.dialogs().messages.size(), results.isEmpty() ? 1 : 0);
}

QTEST_MAIN(FrmCalcKeyboardTest)
#include "frm_calc_keyboard_test.moc"
