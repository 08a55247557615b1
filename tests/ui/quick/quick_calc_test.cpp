// The quick operations end to end: operator key, operand box, arithmetic, the answer in the
// result window, and the one report for every refused operation.
#include "tests/ui/quick/quick_session.h"

#include "ui/quick/quick_calc.h"

#include <QLocale>
#include <QTest>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedKingdom);

// Exact, unlike QCOMPARE on doubles, which would take 1/3 for 0.333333333333333.
QString exactly(double value) {
    return QString::number(value, 'g', 17);
}

} // namespace

class QuickCalcTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void operatorKeyAsksForItsOperand_data();
    void operatorKeyAsksForItsOperand();
    void otherCharactersAreNoOperators_data();
    void otherCharactersAreNoOperators();
    void codesOfNoOperationDoNothing_data();
    void codesOfNoOperationDoNothing();
    void operationShowsAnswerSelected_data();
    void operationShowsAnswerSelected();
    void refusedOperationIsReportedAndChangesNothing_data();
    void refusedOperationIsReportedAndChangesNothing();

private:
    ModalWatchdog* m_watchdog = nullptr;
    std::unique_ptr<QuickSession> m_session;
};

void QuickCalcTest::initTestCase() {
    QLocale::setDefault(English);
    m_watchdog = new ModalWatchdog(this);
}

void QuickCalcTest::init() {
    m_session = std::make_unique<QuickSession>();
    QVERIFY(m_session->driver != nullptr);
}

void QuickCalcTest::cleanup() {
    // Taken out first, so that the session goes even when a check fails.
    const std::unique_ptr<QuickSession> session = std::move(m_session);
    QLocale::setDefault(English);
    session->checkNothingStray(*m_watchdog);
}

void QuickCalcTest::operatorKeyAsksForItsOperand_data() {
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("defaultOperand");

    QTest::newRow("*") << '*' << "Enter the multiplication (*) value."
                       << "Multiplication"
                       << "2";
    QTest::newRow("/") << '/' << "Enter the division (/) value."
                       << "Division"
                       << "2";
    QTest::newRow("\\") << '\\' << "Enter the division (\\) value."
                        << "Rounded division"
                        << "2";
    QTest::newRow("+") << '+' << "Enter the addition/subtraction (+/-) value."
                       << "Addition/subtraction"
                       << "1";
    QTest::newRow("- asks the + box") << '-' << "Enter the addition/subtraction (+/-) value."
                                      << "Addition/subtraction"
                                      << "1";
    QTest::newRow("#") << '#' << "Enter the semitone (#) value."
                       << "Semitone"
                       << "6";
    QTest::newRow(".") << '.' << "Enter the decimal rounding (.) value."
                       << "Decimal rounding"
                       << "3";
}

// Cancelling the box is no failure: nothing is reported, shown or changed.
void QuickCalcTest::operatorKeyAsksForItsOperand() {
    QFETCH(char, key);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    QFETCH(QString, defaultOperand);
    m_session->calculator.loadCurrentValue(0.6);
    m_session->dialogs.script.queueAnswers({QString()});

    QVERIFY(m_session->calculator.QuickCalcKey(char32_t(key)));

    const auto& questions = m_session->dialogs.script.questions;
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions[0].prompt, prompt);
    QCOMPARE(questions[0].title, title);
    QCOMPARE(questions[0].defaultText, defaultOperand);
    QVERIFY(m_session->dialogs.script.messages.isEmpty());
    QVERIFY(m_session->driver->displays.isEmpty());
    QCOMPARE(m_session->calculator.currentValue(), 0.6);
}

void QuickCalcTest::otherCharactersAreNoOperators_data() {
    QTest::addColumn<char32_t>("key");
    QTest::newRow("digit") << char32_t(U'5');
    QTest::newRow("letter") << char32_t(U'x');
    QTest::newRow("equals") << char32_t(U'=');
    QTest::newRow("comma") << char32_t(U',');
    QTest::newRow("Enter") << char32_t(13);
    QTest::newRow("multiplication sign") << char32_t(U'\u00D7');
}

void QuickCalcTest::otherCharactersAreNoOperators() {
    QFETCH(char32_t, key);
    QVERIFY(!m_session->calculator.QuickCalcKey(key));
    QVERIFY(m_session->dialogs.script.questions.isEmpty());
}

void QuickCalcTest::codesOfNoOperationDoNothing_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("separator 3") << 3;
    QTest::newRow("separator 5") << 5;
    QTest::newRow("negative") << -1;
    QTest::newRow("past the menu") << 8;
}

void QuickCalcTest::codesOfNoOperationDoNothing() {
    QFETCH(int, code);
    m_session->calculator.QuickCalc(code);
    QVERIFY(m_session->dialogs.script.questions.isEmpty());
    QVERIFY(m_session->dialogs.script.messages.isEmpty());
}

void QuickCalcTest::operationShowsAnswerSelected_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("start");
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("operand");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("registerAfter");
    QTest::addColumn<QString>("caption");

    const QString en = QStringLiteral("en_GB");
    const QString de = QStringLiteral("de_DE");
    QTest::newRow("beat length times default") << en << 0.6 << '*' << "2"
                                               << "1.2" << 1.2 << "Multiplication result";
    QTest::newRow("- adds") << en << 10.0 << '-' << "5"
                            << "15" << 15.0 << "Addition/subtraction result";
    QTest::newRow("negative operand subtracts") << en << 10.0 << '+' << "-5"
                                                << "5" << 5.0 << "Addition/subtraction result";
    QTest::newRow("division shown to 15 digits")
        << en << 1.0 << '/' << "3"
        << "0.333333333333333" << 0.333333333333333 << "Division result";
    QTest::newRow("rounded division rounds value") << en << 7.5 << '\\' << "2"
                                                   << "4" << 4.0 << "Rounded division result";
    QTest::newRow("rounded division rounds operand") << en << 7.0 << '\\' << "2.5"
                                                     << "3" << 3.0 << "Rounded division result";
    QTest::newRow("rounded division truncates") << en << -7.0 << '\\' << "2"
                                                << "-3" << -3.0 << "Rounded division result";
    QTest::newRow("semitone octave down") << en << 600.0 << '#' << "12"
                                          << "300" << 300.0 << "Semitone result";
    QTest::newRow("semitone octave up") << en << 600.0 << '#' << "-12"
                                        << "1200" << 1200.0 << "Semitone result";
    QTest::newRow("semitone of value rounding to 0") << en << 0.4 << '#' << "5"
                                                     << "0" << 0.0 << "Semitone result";
    QTest::newRow("decimal rounding") << en << 1.66666666666667 << '.' << "3"
                                      << "1.667" << 1.667 << "Decimal rounding result";
    QTest::newRow("decimal rounding to whole") << en << 1.66666666666667 << '.' << "0.4"
                                               << "2" << 2.0 << "Decimal rounding result";
    QTest::newRow("decimal rounding halves to even") << en << 2.5 << '.' << "0.4"
                                                     << "2" << 2.0 << "Decimal rounding result";
    QTest::newRow("large answer with exponent") << en << 1e15 << '*' << "2"
                                                << "2E+15" << 2e15 << "Multiplication result";
    QTest::newRow("comma locale operand") << de << 3.0 << '*' << "0,5"
                                          << "1,5" << 1.5 << "Multiplication result";
    QTest::newRow("comma locale division") << de << 1.0 << '/' << "3"
                                           << "0,333333333333333" << 0.333333333333333 << "Division result";
}

// The register ends as the displayed number, read back when the result box takes the focus.
void QuickCalcTest::operationShowsAnswerSelected() {
    QFETCH(QString, locale);
    QFETCH(double, start);
    QFETCH(char, key);
    QFETCH(QString, operand);
    QFETCH(QString, shown);
    QFETCH(double, registerAfter);
    QFETCH(QString, caption);
    QLocale::setDefault(QLocale(locale));
    m_session->calculator.loadCurrentValue(start);
    m_session->dialogs.script.queueAnswers({operand});

    QVERIFY(m_session->calculator.QuickCalcKey(char32_t(key)));

    const auto& displays = m_session->driver->displays;
    QCOMPARE(displays.size(), 1);
    QCOMPARE(displays[0].caption, caption);
    QCOMPARE(displays[0].text, shown);
    QCOMPARE(displays[0].selectionStart, 0);
    QCOMPARE(displays[0].selectedText, shown);
    QVERIFY(displays[0].boxHadFocus);
    QCOMPARE(exactly(displays[0].registerValue), exactly(registerAfter));
    QCOMPARE(exactly(m_session->calculator.currentValue()), exactly(registerAfter));
    QVERIFY(m_session->dialogs.script.messages.isEmpty());
    QVERIFY(m_session->nothingLeftOpen());
}

void QuickCalcTest::refusedOperationIsReportedAndChangesNothing_data() {
    QTest::addColumn<double>("start");
    QTest::addColumn<char>("key");
    QTest::addColumn<QString>("operand");

    QTest::newRow("operand 0") << 0.6 << '*' << "0";
    QTest::newRow("operand 0.0") << 0.6 << '/' << "0.0";
    QTest::newRow("operand -0") << 0.6 << '+' << "-0";
    QTest::newRow("operand 0 for rounding") << 0.6 << '.' << "0";
    QTest::newRow("letters") << 0.6 << '*' << "abc";
    QTest::newRow("operand beyond double range") << 0.6 << '+' << "1e400";
    QTest::newRow("rounded division by operand rounding to 0") << 5.0 << '\\' << "0.4";
    QTest::newRow("rounded division quotient beyond 32 bits") << -2147483648.0 << '\\' << "-1";
    QTest::newRow("rounded division of value beyond 32 bits") << 3e9 << '\\' << "2";
    QTest::newRow("semitone of value beyond 32 bits") << 3e9 << '#' << "12";
    QTest::newRow("negative decimal places") << 1.5 << '.' << "-1";
    QTest::newRow("product overflows") << 1e308 << '*' << "10";
    QTest::newRow("quotient overflows") << 1e308 << '/' << "0.01";
}

void QuickCalcTest::refusedOperationIsReportedAndChangesNothing() {
    QFETCH(double, start);
    QFETCH(char, key);
    QFETCH(QString, operand);
    m_session->calculator.loadCurrentValue(start);
    m_session->dialogs.script.queueAnswers({operand});

    QVERIFY(m_session->calculator.QuickCalcKey(char32_t(key)));

    const auto& messages = m_session->dialogs.script.messages;
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].text, QStringLiteral("Invalid calculation"));
    QCOMPARE(messages[0].title, QStringLiteral("Calculation Error"));
    QCOMPARE(messages[0].icon, MessageIcon::Warning);
    QCOMPARE(exactly(m_session->calculator.currentValue()), exactly(start));
    QVERIFY(m_session->driver->displays.isEmpty());
    QVERIFY(m_session->nothingLeftOpen());
}

QTEST_MAIN(QuickCalcTest)
#include "quick_calc_test.moc"
