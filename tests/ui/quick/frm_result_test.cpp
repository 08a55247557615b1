// The quick result window as the user meets it: its fixed layout, how it shows and closes, and
// operations chained from its box, each replacing the window from inside its own key handling.
#include "tests/ui/quick/quick_session.h"

#include "ui/quick/quick_calc.h"

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QTest>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedKingdom);

bool closeTo(QRgb pixel, int grey) {
    return qAbs(qRed(pixel) - grey) <= 2 && qAbs(qGreen(pixel) - grey) <= 2 && qAbs(qBlue(pixel) - grey) <= 2;
}

} // namespace

class FrmResultTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void designIsAFixedToolWindowOfTheOwner();
    void displayIsModalAndCentred();
    void gradientShowsThroughTheBoxUnderWhiteText();
    void closingKeysEndTheDisplay_data();
    void closingKeysEndTheDisplay();
    void otherKeysChangeNothingAndKeepItOpen_data();
    void otherKeysChangeNothingAndKeepItOpen();
    void chainedOperationReplacesTheWindow_data();
    void chainedOperationReplacesTheWindow();
    void chainEndedMidwayLeavesNoWindow_data();
    void chainEndedMidwayLeavesNoWindow();
    void longChainKeepsTheStackFlat();

private:
    ModalWatchdog* m_watchdog = nullptr;
    std::unique_ptr<QuickSession> m_session;
};

void FrmResultTest::initTestCase() {
    QLocale::setDefault(English);
    m_watchdog = new ModalWatchdog(this);
}

void FrmResultTest::init() {
    m_session = std::make_unique<QuickSession>();
    QVERIFY(m_session->driver != nullptr);
}

void FrmResultTest::cleanup() {
    // Taken out first, so that the session goes even when a check fails.
    const std::unique_ptr<QuickSession> session = std::move(m_session);
    session->checkNothingStray(*m_watchdog);
}

// A tool window of the main window, deleted with it, that the user cannot resize. It is
// built at the first answer, so one operation runs first.
void FrmResultTest::designIsAFixedToolWindowOfTheOwner() {
    QVERIFY(m_session->window() == nullptr);
    m_session->dialogs.script.queueAnswers({QStringLiteral("2")});
    m_session->calculator.QuickCalc(0);
    QCOMPARE(m_session->driver->displays.size(), 1);
    const QWidget& window = *m_session->window();
    QCOMPARE(window.parentWidget(), &m_session->owner);
    QCOMPARE(window.windowType(), Qt::Tool);
    QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.windowTitle(), QStringLiteral("Quick Calculation Result"));
    QVERIFY(m_session->box()->isReadOnly());
}

void FrmResultTest::displayIsModalAndCentred() {
    m_session->calculator.loadCurrentValue(0.6);
    m_session->dialogs.script.queueAnswers({QStringLiteral("2")});
    QWidget* modalWhileShown = nullptr;
    QPoint centreWhileShown;
    m_session->driver->queueActions({[&](QWidget& window, QLineEdit& box) {
        modalWhileShown = QApplication::activeModalWidget();
        centreWhileShown = window.frameGeometry().center();
        ResultWindowDriver::pressKey(Qt::Key_Escape)(window, box);
    }});

    m_session->calculator.QuickCalc(0);

    QCOMPARE(m_session->driver->displays.size(), 1);
    QCOMPARE(modalWhileShown, m_session->window());
    QCOMPARE(centreWhileShown, m_session->window()->screen()->availableGeometry().center());
}

void FrmResultTest::gradientShowsThroughTheBoxUnderWhiteText() {
    m_session->calculator.loadCurrentValue(0.6);
    m_session->dialogs.script.queueAnswers({QStringLiteral("2")});
    QImage selected;
    QImage unselected;
    m_session->driver->queueActions({[&](QWidget& window, QLineEdit& box) {
        selected = window.grab().toImage();
        box.deselect();
        unselected = window.grab().toImage();
        ResultWindowDriver::pressKey(Qt::Key_Escape)(window, box);
    }});

    m_session->calculator.QuickCalc(0);

    QCOMPARE(unselected.size(), QSize(249, 39));
    // Dark grey at the left edge to grey at the right, the same all the way down.
    QVERIFY(closeTo(unselected.pixel(0, 2), 64));
    QVERIFY(closeTo(unselected.pixel(248, 2), 128));
    QCOMPARE(unselected.pixel(120, 2), unselected.pixel(120, 36));
    // Inside the box, away from its short text, the gradient shows through.
    QCOMPARE(unselected.pixel(200, 18), unselected.pixel(200, 2));
    // The gradient never gets brighter than 128, so anything near white in front of the
    // text is the text itself.
    bool whiteText = false;
    for (int x = 9; x < 60 && !whiteText; ++x) {
        for (int y = 10; y < 28 && !whiteText; ++y) {
            const QRgb pixel = unselected.pixel(x, y);
            whiteText = qRed(pixel) > 220 && qGreen(pixel) > 220 && qBlue(pixel) > 220;
        }
    }
    QVERIFY(whiteText);
    QVERIFY(!selected.isNull());
    QVERIFY(selected != unselected); // the selection of the whole number is visible
}

void FrmResultTest::closingKeysEndTheDisplay_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers();
    QTest::newRow("Shift+Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Alt+Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("close button") << 0 << Qt::KeyboardModifiers();
}

// Closing unloads: the window returns to its own caption and empty box, and the operation that showed it
// returns.
void FrmResultTest::closingKeysEndTheDisplay() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    m_session->calculator.loadCurrentValue(0.6);
    m_session->dialogs.script.queueAnswers({QStringLiteral("2")});
    m_session->driver->queueActions({key != 0 ? ResultWindowDriver::pressKey(key, modifiers)
                                              : [](QWidget& window, QLineEdit&) { window.close(); }});

    m_session->calculator.QuickCalc(0);

    QCOMPARE(m_session->driver->displays.size(), 1);
    QVERIFY(m_session->nothingLeftOpen());
    QCOMPARE(m_session->window()->windowTitle(), QStringLiteral("Quick Calculation Result"));
    QCOMPARE(m_session->calculator.currentValue(), 1.2);
}

void FrmResultTest::otherKeysChangeNothingAndKeepItOpen_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("digit") << "5";
    QTest::newRow("letter") << "a";
    QTest::newRow("capital and space") << "Z ";
    QTest::newRow("equals") << "=";
}

void FrmResultTest::otherKeysChangeNothingAndKeepItOpen() {
    QFETCH(QString, typed);
    m_session->calculator.loadCurrentValue(0.6);
    m_session->dialogs.script.queueAnswers({QStringLiteral("2")});
    QString textAfterTyping;
    bool openAfterTyping = false;
    m_session->driver->queueActions({[&](QWidget& window, QLineEdit& box) {
        ResultWindowDriver::type(typed)(window, box);
        QTest::keyClick(window.windowHandle(), Qt::Key_Backspace);
        QTest::keyClick(window.windowHandle(), Qt::Key_Delete);
        textAfterTyping = box.text();
        openAfterTyping = window.isVisible();
        QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
    }});

    m_session->calculator.QuickCalc(0);

    QCOMPARE(textAfterTyping, QStringLiteral("1.2"));
    QVERIFY(openAfterTyping);
    QCOMPARE(m_session->dialogs.script.questions.size(), 1);
    QCOMPARE(m_session->driver->displays.size(), 1);
}

void FrmResultTest::chainedOperationReplacesTheWindow_data() {
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("firstCode");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("chainKey");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("times 2 then plus 0.3")
        << 0.6 << 0 << QStringList{"2", "0.3"} << "+" << QStringList{"1.2", "1.5"}
        << QStringList{"Multiplication result", "Addition/subtraction result"};
    // The chained operation works on the number shown, not on the exact third.
    QTest::newRow("third times 3") << 1.0 << 1 << QStringList{"3", "3"} << "*"
                                   << QStringList{"0.333333333333333", "0.999999999999999"}
                                   << QStringList{"Division result", "Multiplication result"};
}

void FrmResultTest::chainedOperationReplacesTheWindow() {
    QFETCH(double, start);
    QFETCH(int, firstCode);
    QFETCH(QStringList, answers);
    QFETCH(QString, chainKey);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, captions);
    m_session->calculator.loadCurrentValue(start);
    m_session->dialogs.script.queueAnswers(answers);
    // Closing the second window must return to the main window in one step: were the first
    // one shown again, the driver would note a third display.
    m_session->driver->queueActions(
        {ResultWindowDriver::type(chainKey), ResultWindowDriver::pressKey(Qt::Key_Enter)});

    m_session->calculator.QuickCalc(firstCode);

    const auto& displays = m_session->driver->displays;
    QCOMPARE(displays.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(displays[i].caption, captions[i]);
        QCOMPARE(displays[i].text, shown[i]);
        QCOMPARE(displays[i].selectedText, shown[i]);
        QCOMPARE(displays[i].window, m_session->window());
        QVERIFY(displays[i].boxHadFocus);
    }
    // The operator key took the first window away before the operand was asked for.
    QCOMPARE(m_session->dialogs.resultWindowShownAtBox, (QList<bool>{false, false}));
    QVERIFY(m_session->nothingLeftOpen());
}

void FrmResultTest::chainEndedMidwayLeavesNoWindow_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("chainKeys");
    QTest::addColumn<int>("displayCount");
    QTest::addColumn<int>("messageCount");
    QTest::addColumn<double>("registerAfter");

    QTest::newRow("cancelled at the second level") << QStringList{"2", ""} << "+" << 1 << 0 << 1.2;
    QTest::newRow("cancelled at the third level") << QStringList{"2", "0.3", ""} << "+*" << 2 << 0 << 1.5;
    QTest::newRow("zero refused at the third level") << QStringList{"2", "0.3", "0"} << "+/" << 2 << 1 << 1.5;
    QTest::newRow("letters refused at the fourth level")
        << QStringList{"2", "0.3", "2", "x"} << "+*-" << 3 << 1 << 3.0;
}

// Every level is entered by typing the next key into the window the level before showed.
void FrmResultTest::chainEndedMidwayLeavesNoWindow() {
    QFETCH(QStringList, answers);
    QFETCH(QString, chainKeys);
    QFETCH(int, displayCount);
    QFETCH(int, messageCount);
    QFETCH(double, registerAfter);
    m_session->calculator.loadCurrentValue(0.6);
    m_session->dialogs.script.queueAnswers(answers);
    for (const QChar key : chainKeys) {
        m_session->driver->queueActions({ResultWindowDriver::type(QString(key))});
    }

    m_session->calculator.QuickCalc(0);

    QCOMPARE(m_session->driver->displays.size(), displayCount);
    QCOMPARE(m_session->dialogs.script.messages.size(), messageCount);
    QVERIFY(!m_session->dialogs.resultWindowShownAtBox.contains(true));
    QCOMPARE(m_session->calculator.currentValue(), registerAfter);
    QVERIFY(m_session->nothingLeftOpen());
}

// Far more links than the stack would hold were each one a level deeper than the last.
void FrmResultTest::longChainKeepsTheStackFlat() {
    constexpr int Links = 10000;
    m_session->calculator.loadCurrentValue(1.0);
    m_session->dialogs.script.queueAnswers(QStringList(Links, QStringLiteral("1")));
    // The last window is left to the driver, which closes it with Escape.
    m_session->driver->queueActions(
        QList<ResultWindowDriver::Action>(Links - 1, ResultWindowDriver::type("*")));

    m_session->calculator.QuickCalc(0);

    QCOMPARE(m_session->driver->displays.size(), Links);
    const QList<quintptr>& frames = m_session->dialogs.askFrames;
    QCOMPARE(frames.size(), Links);
    QCOMPARE(frames[Links - 1], frames[9]);
    QVERIFY(m_session->nothingLeftOpen());
}

QTEST_MAIN(FrmResultTest)
#include "frm_result_test.moc"
