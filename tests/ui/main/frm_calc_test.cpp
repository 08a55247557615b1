#include "tests/ui/support/modal_watchdog.h"
#include "tests/ui/support/scripted_dialogs.h"
#include "ui/main/frm_calc.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

const QString invalidEntry =
    QStringLiteral("Invalid data entry, this value will reset to the previous value.");
const QStringList defaultResults{"2.4", "0.6", "1.66666666666667"};

} // namespace

class FrmCalcTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithResultsOfTheDefaultEntries();
    void selectorChoicesRecalculate_data();
    void selectorChoicesRecalculate();
    void typingIntoUnitSelectorCompletesOrKeepsUnit_data();
    void typingIntoUnitSelectorCompletesOrKeepsUnit();
    void enterShowsResultsOfTypedValues_data();
    void enterShowsResultsOfTypedValues();
    void enterWithRejectedTextRestoresFocusTimeText_data();
    void enterWithRejectedTextRestoresFocusTimeText();
    void rejectionAfterAcceptedEnterKeepsLastResults();
    void tabFromRejectedEntryKeepsFocus();
    void tabFromAcceptedEntryMovesOn();
    void clickOnSelectorOrResultValidatesNothing_data();
    void clickOnSelectorOrResultValidatesNothing();
    void untestedNegativeBarsAreComputed();
    void arithmeticFaultKeepsResultsAndNamesFault_data();
    void arithmeticFaultKeepsResultsAndNamesFault();
    void untestedEntryThatIsNoNumberIsReported();
    void unfocusedSelectorCannotBeChanged();
    void commaLocaleReadsAndWritesCommas();
    void rejectionUsesRealMessageBox();
    void resultBoxFeedsQuickCalculator_data();
    void resultBoxFeedsQuickCalculator();
    void clickIntoAnotherEntryValidatesTheEntryLeft_data();
    void clickIntoAnotherEntryValidatesTheEntryLeft();
    void completedSelectorTextGivesOneChangeAndOneMessage_data();
    void completedSelectorTextGivesOneChangeAndOneMessage();
    void chainedOperationWorksOnTheNumberShown();

private:
    void makeWindow(Dialogs& dialogs);
    QLineEdit* entry(int index) const;
    QLineEdit* result(int index) const;
    QComboBox* selector(const char* name) const;
    QStringList results() const;
    void typeInto(int index, const QString& text);
    void clickOn(QWidget* widget);
    void replaceTextByKeys(const QString& text);
    void pressKey(const QWidget* focused, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    void typeKeys(const QWidget* focused, const QString& text);

    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<FrmCalc> m_window;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

void FrmCalcTest::init() {
    QLocale::setDefault(QLocale::c());
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_dialogs = std::make_unique<ScriptedDialogs>();
    makeWindow(*m_dialogs);
}

void FrmCalcTest::cleanup() {
    m_window.reset();
    QVERIFY2(m_watchdog->closedDialogs.isEmpty(), qPrintable(m_watchdog->closedDialogs.join(", ")));
    m_watchdog.reset();
}

void FrmCalcTest::makeWindow(Dialogs& dialogs) {
    m_window = std::make_unique<FrmCalc>(dialogs);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

QLineEdit* FrmCalcTest::entry(int index) const {
    return m_window->findChild<QLineEdit*>(QStringLiteral("TxtValue(%1)").arg(index));
}

QLineEdit* FrmCalcTest::result(int index) const {
    return m_window->findChild<QLineEdit*>(QStringLiteral("TxtResult(%1)").arg(index));
}

QComboBox* FrmCalcTest::selector(const char* name) const {
    return m_window->findChild<QComboBox*>(QString::fromLatin1(name));
}

QStringList FrmCalcTest::results() const {
    return {result(0)->text(), result(1)->text(), result(2)->text()};
}

// Through the window, as the platform delivers a click: Qt gives the focus away before
// the control under the mouse sees the press.
void FrmCalcTest::clickOn(QWidget* widget) {
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(m_window.get(), QPoint(5, widget->height() / 2)));
}

// Ctrl+A and the keys of the text, through the window to the control with the focus.
void FrmCalcTest::replaceTextByKeys(const QString& text) {
    QWindow* window = m_window->windowHandle();
    QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

// Keys go to the window, which hands them to the control with the focus, as the platform
// delivers them; the control named is the one the test expects to have it.
void FrmCalcTest::pressKey(const QWidget* focused, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QVERIFY(focused->hasFocus());
    QTest::keyClick(m_window->windowHandle(), key, modifiers);
}

void FrmCalcTest::typeKeys(const QWidget* focused, const QString& text) {
    QVERIFY(focused->hasFocus());
    for (const QChar c : text)
        QTest::keyClick(m_window->windowHandle(), c.toLatin1());
}

// Enters the entry with a click, replaces its text as a user would, and presses Enter.
void FrmCalcTest::typeInto(int index, const QString& text) {
    clickOn(entry(index));
    QVERIFY(entry(index)->hasFocus());
    entry(index)->selectAll();
    pressKey(entry(index), Qt::Key_Backspace);
    typeKeys(entry(index), text);
    pressKey(entry(index), Qt::Key_Return);
}

void FrmCalcTest::startsWithResultsOfTheDefaultEntries() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Tactora 2004"));
    QCOMPARE(results(), QStringList({"2.4", "0.6", "1.66666666666667"}));
    QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("lblret(2)"))->text(),
             QStringLiteral("Cycles per second"));
    QCOMPARE(selector("CmbValType")->currentText(), QStringLiteral("Beats per minute"));
    QCOMPARE(selector("CmbResType")->currentText(), QStringLiteral("Seconds"));
    QVERIFY(selector("CmbValType")->hasFocus());
    QVERIFY(m_dialogs->messages.isEmpty());
}

void FrmCalcTest::selectorChoicesRecalculate_data() {
    QTest::addColumn<int>("valueType");
    QTest::addColumn<int>("resultType");
    QTest::addColumn<QString>("tempoText");
    QTest::addColumn<QString>("rateCaption");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("milliseconds") << 0 << 1 << "100"
                                  << "Cycles per second" << QStringList{"2400", "600", "1.66666666666667"};
    QTest::newRow("cycles per second") << 1 << 0 << "1"
                                       << "Beats per minute" << QStringList{"4", "1", "60"};
    QTest::newRow("cycles per second in milliseconds")
        << 1 << 1 << "1"
        << "Beats per minute" << QStringList{"4000", "1000", "60"};
}

void FrmCalcTest::selectorChoicesRecalculate() {
    QFETCH(int, valueType);
    QFETCH(int, resultType);
    QFETCH(QString, tempoText);
    QFETCH(QString, rateCaption);
    QFETCH(QStringList, expected);

    selector("CmbResType")->setCurrentIndex(resultType);
    selector("CmbValType")->setCurrentIndex(valueType);
    QCOMPARE(entry(0)->text(), tempoText);
    const auto* rate = m_window->findChild<QLabel*>(QStringLiteral("lblret(2)"));
    QCOMPARE(rate->text(), rateCaption);
    QCOMPARE(rate->size(), rate->sizeHint()); // fitted to its new caption
    QCOMPARE(results(), expected);

    // Choosing the tempo kind again puts back its default, whatever was typed.
    typeInto(0, QStringLiteral("77"));
    selector("CmbValType")->setCurrentIndex(1 - valueType);
    selector("CmbValType")->setCurrentIndex(0);
    selector("CmbResType")->setCurrentIndex(0);
    QCOMPARE(entry(0)->text(), QStringLiteral("100"));
    QCOMPARE(results(), QStringList({"2.4", "0.6", "1.66666666666667"}));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void FrmCalcTest::typingIntoUnitSelectorCompletesOrKeepsUnit_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("completes to milliseconds") << "Mil" << QStringList{"2400", "600", "1.66666666666667"};
    QTest::newRow("no item keeps seconds") << "Hours" << QStringList{"2.4", "0.6", "1.66666666666667"};
}

void FrmCalcTest::typingIntoUnitSelectorCompletesOrKeepsUnit() {
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);

    QComboBox* unit = selector("CmbResType");
    clickOn(unit);
    QTRY_VERIFY(unit->hasFocus());
    if (unit->view()->isVisible())
        QTest::keyClick(unit->view(), Qt::Key_Escape);
    unit->lineEdit()->selectAll();
    QTest::keyClicks(unit, typed);
    QCOMPARE(results(), expected);
}

void FrmCalcTest::enterShowsResultsOfTypedValues_data() {
    QTest::addColumn<int>("valueType");
    QTest::addColumn<int>("resultType");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("120 bpm") << 0 << 0 << QStringList{"120", "1", "4"} << QStringList{"2", "0.5", "2"};
    QTest::newRow("120 bpm, 2 bars") << 0 << 0 << QStringList{"120", "2", "4"}
                                     << QStringList{"4", "0.25", "4"};
    QTest::newRow("140 bpm in ms") << 0 << 1 << QStringList{"140", "1", "4"}
                                   << QStringList{"1714.28571428571", "428.571428571429", "2.33333333333333"};
    QTest::newRow("tie to even") << 0 << 0 << QStringList{"60", "512", "512"}
                                 << QStringList{"2048", "1.5258789062E-05", "65536"};
    QTest::newRow("3 Hz, 2 bars") << 1 << 0 << QStringList{"3", "2", "4"}
                                  << QStringList{"5.33333333333333", "0.333333333333333", "90"};
    QTest::newRow("fractional bars") << 0 << 0 << QStringList{"100", "1.5", "2.25"}
                                     << QStringList{"3.6", "0.711111111111111", "1.40625"};
}

void FrmCalcTest::enterShowsResultsOfTypedValues() {
    QFETCH(int, valueType);
    QFETCH(int, resultType);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, expected);

    selector("CmbValType")->setCurrentIndex(valueType);
    selector("CmbResType")->setCurrentIndex(resultType);
    for (int i = 2; i >= 0; --i)
        typeInto(i, entries[i]);
    QCOMPARE(results(), expected);
    // Enter recalculates in place: the entry keeps the focus.
    QVERIFY(entry(0)->hasFocus());
    QVERIFY(m_dialogs->messages.isEmpty());
}

void FrmCalcTest::enterWithRejectedTextRestoresFocusTimeText_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("valueType");
    QTest::addColumn<QString>("typed");

    QTest::newRow("bars above 1024") << 1 << 0 << "1024.5";
    QTest::newRow("bars zero") << 1 << 0 << "0";
    QTest::newRow("beats negative") << 2 << 0 << "-3";
    QTest::newRow("beats empty") << 2 << 0 << "";
    QTest::newRow("beats letters") << 2 << 0 << "abc";
    QTest::newRow("bpm above 2^32") << 0 << 0 << "4294967297";
    QTest::newRow("Hz above 20000") << 0 << 1 << "20000.5";
    QTest::newRow("group separator") << 0 << 0 << "1,000";
}

void FrmCalcTest::enterWithRejectedTextRestoresFocusTimeText() {
    QFETCH(int, index);
    QFETCH(int, valueType);
    QFETCH(QString, typed);

    selector("CmbValType")->setCurrentIndex(valueType);
    const QString before = entry(index)->text();
    const QStringList resultsBefore = results();

    typeInto(index, typed);

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, invalidEntry);
    QCOMPARE(m_dialogs->messages[0].title, QStringLiteral("Calculation error"));
    QCOMPARE(m_dialogs->messages[0].icon, MessageIcon::Information);
    QCOMPARE(entry(index)->text(), before);
    QCOMPARE(results(), resultsBefore);
}

void FrmCalcTest::rejectionAfterAcceptedEnterKeepsLastResults() {
    clickOn(entry(0));
    entry(0)->selectAll();
    typeKeys(entry(0), QStringLiteral("50"));
    pressKey(entry(0), Qt::Key_Return);
    const QStringList from50{"4.8", "1.2", "0.833333333333333"};
    QCOMPARE(results(), from50);

    entry(0)->selectAll();
    typeKeys(entry(0), QStringLiteral("abc"));
    pressKey(entry(0), Qt::Key_Return);

    QCOMPARE(m_dialogs->messages.size(), 1);
    // The previous value is the one the entry showed when the user entered it.
    QCOMPARE(entry(0)->text(), QStringLiteral("100"));
    QCOMPARE(results(), from50);
    QVERIFY(entry(0)->hasFocus());
}

void FrmCalcTest::tabFromRejectedEntryKeepsFocus() {
    clickOn(entry(1));
    entry(1)->selectAll();
    typeKeys(entry(1), QStringLiteral("2000"));
    pressKey(entry(1), Qt::Key_Tab);

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].text, invalidEntry);
    QVERIFY(entry(1)->hasFocus());
    QCOMPARE(entry(1)->text(), QStringLiteral("1"));

    // Shift+Tab back to the tempo entry is a move between entries too.
    entry(1)->selectAll();
    typeKeys(entry(1), QStringLiteral("x"));
    pressKey(entry(1), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(m_dialogs->messages.size(), 2);
    QVERIFY(entry(1)->hasFocus());

    // With Ctrl or Alt, Shift+Tab moves no focus, so it leaves nothing to check.
    replaceTextByKeys(QStringLiteral("x"));
    for (const Qt::KeyboardModifier chord : {Qt::ControlModifier, Qt::AltModifier})
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Backtab, chord | Qt::ShiftModifier);
    QCOMPARE(m_dialogs->messages.size(), 2);
    QCOMPARE(entry(1)->text(), QStringLiteral("x"));
}

void FrmCalcTest::tabFromAcceptedEntryMovesOn() {
    clickOn(entry(1));
    entry(1)->selectAll();
    typeKeys(entry(1), QStringLiteral("2"));
    pressKey(entry(1), Qt::Key_Tab);

    QVERIFY(entry(2)->hasFocus());
    QCOMPARE(results(), QStringList({"4.8", "0.3", "3.33333333333333"}));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void FrmCalcTest::clickOnSelectorOrResultValidatesNothing_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("result box") << "TxtResult(1)";
    QTest::newRow("value selector") << "CmbValType";
    QTest::newRow("unit selector") << "CmbResType";
}

void FrmCalcTest::clickOnSelectorOrResultValidatesNothing() {
    QFETCH(QString, target);

    clickOn(entry(2));
    entry(2)->selectAll();
    typeKeys(entry(2), QStringLiteral("abc"));
    auto* widget = m_window->findChild<QWidget*>(target);
    clickOn(widget);

    QTRY_VERIFY(widget->hasFocus());
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->view()->isVisible())
        combo->hidePopup();
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(entry(2)->text(), QStringLiteral("abc"));
}

void FrmCalcTest::untestedNegativeBarsAreComputed() {
    clickOn(entry(1));
    entry(1)->selectAll();
    typeKeys(entry(1), QStringLiteral("-2"));
    clickOn(result(0));
    clickOn(entry(0));
    pressKey(entry(0), Qt::Key_Return);

    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(results(), QStringList({"-4.8", "-0.3", "-3.33333333333333"}));
}

void FrmCalcTest::arithmeticFaultKeepsResultsAndNamesFault_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fault");

    QTest::newRow("tiny tempo overflows") << 0 << "1E-307"
                                          << "overflow";
    QTest::newRow("zero bars left untested") << 1 << "0"
                                             << "division by zero";
}

void FrmCalcTest::arithmeticFaultKeepsResultsAndNamesFault() {
    QFETCH(int, index);
    QFETCH(QString, typed);
    QFETCH(QString, fault);

    clickOn(entry(index));
    entry(index)->selectAll();
    typeKeys(entry(index), typed);
    if (index != 0) {
        // Leave through a result box, which checks nothing, then recalculate from the tempo.
        clickOn(result(0));
        clickOn(entry(0));
    }
    pressKey(entry(0), Qt::Key_Return);

    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].text.contains(fault), qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(m_dialogs->messages[0].icon, MessageIcon::Warning);
    QCOMPARE(results(), QStringList({"2.4", "0.6", "1.66666666666667"}));
}

void FrmCalcTest::untestedEntryThatIsNoNumberIsReported() {
    clickOn(entry(1));
    entry(1)->clear();
    clickOn(selector("CmbResType"));
    QTRY_VERIFY(selector("CmbResType")->hasFocus());
    selector("CmbResType")->hidePopup();
    selector("CmbResType")->setCurrentIndex(1);

    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].text.contains(QStringLiteral("number of bars")),
             qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(results(), QStringList({"2.4", "0.6", "1.66666666666667"}));
    QCOMPARE(entry(1)->text(), QString());
}

void FrmCalcTest::unfocusedSelectorCannotBeChanged() {
    QComboBox* unit = selector("CmbResType");
    clickOn(unit);
    QTRY_VERIFY(unit->hasFocus());
    unit->hidePopup();
    clickOn(entry(0));
    QVERIFY(!unit->hasFocus());

    QTest::keyClick(unit, Qt::Key_Down);
    QWheelEvent wheel(QPointF(5, 5), unit->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(unit, &wheel);

    QCOMPARE(unit->currentText(), QStringLiteral("Seconds"));
    QCOMPARE(results(), QStringList({"2.4", "0.6", "1.66666666666667"}));
}

void FrmCalcTest::commaLocaleReadsAndWritesCommas() {
    m_window.reset();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    makeWindow(*m_dialogs);

    QCOMPARE(results(), QStringList({"2,4", "0,6", "1,66666666666667"}));
    typeInto(1, QStringLiteral("1,5"));
    QCOMPARE(results(), QStringList({"3,6", "0,4", "2,5"}));
    typeInto(1, QStringLiteral("1.5"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    // Still in the entry since it was entered showing 1: that is the text it returns to.
    QCOMPARE(entry(1)->text(), QStringLiteral("1"));
    QCOMPARE(results(), QStringList({"3,6", "0,4", "2,5"}));
}

void FrmCalcTest::rejectionUsesRealMessageBox() {
    QtDialogs realDialogs;
    m_window.reset();
    makeWindow(realDialogs);

    QString shownText;
    QString shownTitle;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    // A click through the window runs the pending events, so the box's answer is set up after it.
    clickOn(entry(1));
    entry(1)->selectAll();
    typeKeys(entry(1), QStringLiteral("abc"));
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        shownText = box->text();
        shownTitle = box->windowTitle();
        shownIcon = box->icon();
        QTest::keyClick(box, Qt::Key_Enter);
    });
    pressKey(entry(1), Qt::Key_Return);

    QCOMPARE(shownText, invalidEntry);
    QCOMPARE(shownTitle, QStringLiteral("Calculation error"));
    QCOMPARE(shownIcon, QMessageBox::Information);
    QCOMPARE(entry(1)->text(), QStringLiteral("1"));
    // The keyboard is back in the main window: without a window manager nobody else gives it back.
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::focusWindow(), m_window->windowHandle(), 500);
}

void FrmCalcTest::resultBoxFeedsQuickCalculator_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("key"); // empty: the calculation menu's item instead
    QTest::addColumn<int>("menuItem");
    QTest::addColumn<QString>("operand");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");

    QTest::newRow("* on the beat length") << 1 << "*" << -1 << "2"
                                          << "Multiplication result"
                                          << "1.2";
    QTest::newRow("- adds") << 0 << "-" << -1 << "5"
                            << "Addition/subtraction result"
                            << "7.4";
    QTest::newRow("# on the rate") << 2 << "#" << -1 << "-12"
                                   << "Semitone result"
                                   << "4";
    QTest::newRow("menu item works on the register") << 0 << "" << 7 << "0.4"
                                                     << "Decimal rounding result"
                                                     << "2";
}

void FrmCalcTest::resultBoxFeedsQuickCalculator() {
    QFETCH(int, box);
    QFETCH(QString, key);
    QFETCH(int, menuItem);
    QFETCH(QString, operand);
    QFETCH(QString, caption);
    QFETCH(QString, shown);

    m_dialogs->queueAnswers({operand});
    QString shownCaption;
    QString shownText;
    QString selectedText;
    clickOn(result(box));
    QVERIFY(result(box)->hasFocus());
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QWidget* resultWindow = QApplication::activeModalWidget();
        auto* answer = resultWindow->findChild<QLineEdit*>(QStringLiteral("TxtResult"));
        QVERIFY(answer);
        shownCaption = resultWindow->windowTitle();
        shownText = answer->text();
        selectedText = answer->selectedText();
        QTest::keyClick(answer, Qt::Key_Return);
    });

    if (key.isEmpty())
        m_window->findChild<QAction*>(QStringLiteral("MnuCalculation(%1)").arg(menuItem))->trigger();
    else
        typeKeys(result(box), key);

    QCOMPARE(m_dialogs->questions.size(), 1);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownText, shown);
    QCOMPARE(selectedText, shown);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(results(), QStringList({"2.4", "0.6", "1.66666666666667"}));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void FrmCalcTest::clickIntoAnotherEntryValidatesTheEntryLeft_data() {
    QTest::addColumn<QString>("typed");   // into the number of bars, which then clicks on the tempo
    QTest::addColumn<bool>("clickFirst"); // the click into bars comes before the window's activation
    QTest::addColumn<bool>("rejected");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("rejected") << "abc" << false << true << defaultResults;
    QTest::newRow("accepted") << "2" << false << false << QStringList{"4.8", "0.3", "3.33333333333333"};
    QTest::newRow("rejected, entered into an inactive window") << "abc" << true << true << defaultResults;
}

void FrmCalcTest::clickIntoAnotherEntryValidatesTheEntryLeft() {
    QFETCH(QString, typed);
    QFETCH(bool, clickFirst);
    QFETCH(bool, rejected);
    QFETCH(QStringList, expected);

    QWidget other;
    if (clickFirst) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    clickOn(entry(1));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    replaceTextByKeys(typed);
    clickOn(entry(0));

    QCOMPARE(m_dialogs->messages.size(), rejected ? 1 : 0);
    QCOMPARE(m_window->focusWidget(), entry(rejected ? 1 : 0));
    QCOMPARE(entry(1)->text(), rejected ? QStringLiteral("1") : typed);
    QCOMPARE(results(), expected);
}

void FrmCalcTest::completedSelectorTextGivesOneChangeAndOneMessage_data() {
    QTest::addColumn<QString>("selectorName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("completed");

    QTest::newRow("tempo kind") << "CmbValType"
                                << "c"
                                << "Cycles per second";
    // The letter alone matches no unit and would recalculate in the old one.
    QTest::newRow("unit") << "CmbResType"
                          << "m"
                          << "Milliseconds";
}

// A lower-case letter completes to an item spelt in capitals, and a real message box takes
// the activation while it is open. With an entry that is no number, every recalculation
// ends in a message.
void FrmCalcTest::completedSelectorTextGivesOneChangeAndOneMessage() {
    QFETCH(QString, selectorName);
    QFETCH(QString, typed);
    QFETCH(QString, completed);

    clickOn(entry(2));
    replaceTextByKeys(QStringLiteral("x"));
    clickOn(result(0));
    clickOn(selector(qPrintable(selectorName)));
    QWidget box;
    m_dialogs->onMessage([&] {
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.hide();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    });
    replaceTextByKeys(typed);

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(selector(qPrintable(selectorName))->currentText(), completed);
}

// With the real boxes, the main window becomes active again between a chained key and its
// input box, and its result box takes the focus back; the chain must still go on from the
// number the result window showed.
void FrmCalcTest::chainedOperationWorksOnTheNumberShown() {
    QtDialogs realDialogs;
    m_window.reset();
    makeWindow(realDialogs);

    QStringList operands{"2", "0.3"};
    QStringList shown;
    QObject personAtWork; // takes the person's pending timers with it, whatever happens
    std::function<void()> person = [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || QGuiApplication::focusWindow() != box->windowHandle()) {
            QTimer::singleShot(5, &personAtWork, person);
            return;
        }
        if (auto* input = qobject_cast<QInputDialog*>(box)) {
            input->setTextValue(operands.takeFirst());
            QTest::keyClick(box->windowHandle(), Qt::Key_Return);
            QTimer::singleShot(5, &personAtWork, person);
            return;
        }
        shown << box->findChild<QLineEdit*>(QStringLiteral("TxtResult"))->text();
        QTest::keyClick(box->windowHandle(), operands.isEmpty() ? '\r' : '+');
        if (!operands.isEmpty())
            QTimer::singleShot(5, &personAtWork, person);
    };
    QTimer::singleShot(5, &personAtWork, person);
    clickOn(result(1));
    QTest::keyClick(m_window->windowHandle(), '*');

    QCOMPARE(shown, QStringList({"1.2", "1.5"}));
}

QTEST_MAIN(FrmCalcTest)
#include "frm_calc_test.moc"
