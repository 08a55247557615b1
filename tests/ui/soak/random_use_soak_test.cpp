// A seeded random walk through the windows: thousands of user actions, each delivered to a
// window as the platform delivers input; after each one the windows must show what the entry
// rules, the tempo formulas and the quick operations give for the actions so far.
// TACTORA_SOAK_SEED replays a run (the seed is printed); TACTORA_SOAK_STEPS makes it longer.
#include "tests/ui/support/modal_watchdog.h"
#include "tests/ui/support/scripted_dialogs.h"
#include "ui/main/frm_calc.h"

#include "core/entry_rules.h"
#include "core/quick_ops.h"
#include "core/tempo.h"
#include "ui/shared/number_text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

enum Control { ValType, Tempo, Bars, Beats, ResType, Res0, Res1, Res2, Answer, Elsewhere };
const QStringList ControlNames{"CmbValType",   "TxtValue(0)",  "TxtValue(1)",  "TxtValue(2)", "CmbResType",
                               "TxtResult(0)", "TxtResult(1)", "TxtResult(2)", "TxtResult",   "elsewhere"};
const auto isEntry = [](int c) { return c >= Tempo && c <= Beats; };
const auto isResult = [](int c) { return c >= Res0 && c <= Res2; };
// Tab goes round these in this order, Shift+Tab the other way.
const QList<int> TabChain{ValType, Tempo, Bars, Beats, ResType};

// The message boxes, told apart by title and icon: an entry rejected, a calculation that
// faults or meets an entry that is no number, a quick operation refused.
const QString RejectedEntry = u"Calculation error"_s;
const QString CalculationFault = u"Calculation error (warning)"_s;
const QString InvalidCalculation = u"Calculation Error (warning)"_s;

// What the windows show: read from them, or expected by the model.
struct Screen {
    std::array<QString, 3> entries, results;
    std::array<QString, 2> selectors;
    int focus = Elsewhere;
    bool answerShown = false;
    QString answer;
    bool operator==(const Screen&) const = default;

    QString describe() const {
        QStringList parts{"focus "_L1 + ControlNames[focus],
                          answerShown ? u"result window open"_s : QString()};
        for (const QString& text : {entries[0], entries[1], entries[2], results[0], results[1], results[2],
                                    selectors[0], selectors[1], answer})
            parts << text.left(40);
        return parts.join(" | "_L1);
    }
};

struct Action {
    QString name;
    std::function<void()> perform; // the input, then what only its outcome tells the model
};

// A close request to the window, as from its caption's close button.
void closeByButton(QWidget* window) {
    QCloseEvent close;
    QCoreApplication::sendEvent(window->windowHandle(), &close);
}

} // namespace

class RandomUseSoak : public QObject {
    Q_OBJECT

private slots:
    void windowsFollowTheRulesThroughRandomUse() {
        QLocale::setDefault(QLocale::c());
        m_seed = qEnvironmentVariable("TACTORA_SOAK_SEED", u"2004"_s).toUInt();
        m_steps = qEnvironmentVariable("TACTORA_SOAK_STEPS", u"3000"_s).toInt();
        qInfo("soak seed %u, %d steps (TACTORA_SOAK_SEED=%u replays it)", m_seed, m_steps, m_seed);
        m_random.seed(m_seed);

        m_window = std::make_unique<FrmCalc>(m_dialogs);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        // The result window and its box are built at the first answer; the filter finds them then.
        for (int c = ValType; c < Answer; ++c)
            QVERIFY((m_controls[c] = m_window->findChild<QWidget*>(ControlNames[c])));

        // A real box runs a loop of its own while open: whatever that loop would deliver, delivered.
        m_dialogs.onMessage([this] {
            m_deepestMessage = std::max(m_deepestMessage, ++m_messageDepth);
            QCoreApplication::processEvents();
            --m_messageDepth;
        });
        qApp->installEventFilter(this);
        m.screen = observe();
        schedule();
        m_soak.exec();
        m_window->close(); // as a person ends the program, before the window goes

        QVERIFY2(m_failure.isEmpty(), qPrintable(m_failure));
        QCOMPARE(m_stepsDone, m_steps + 1);
        QVERIFY2(m_watchdog.closedDialogs.isEmpty(), qPrintable(m_watchdog.closedDialogs.join(", "_L1)));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !m_answerWindow && watched->parent() == m_window.get() &&
            watched->objectName() == "FrmResult"_L1) {
            m_answerWindow = static_cast<QWidget*>(watched);
            m_controls[Answer] = m_answerWindow->findChild<QWidget*>(ControlNames[Answer]);
        }
        if (event->type() == QEvent::Show && watched == m_answerWindow)
            schedule();
        return false;
    }

private:
    // Each step checks the outcome of the previous action, then picks and performs the next.
    // A result window holds the action that opened it until it closes, so the steps while it
    // is open run from inside its loop: they are scheduled when it shows. One step at a time
    // is ever scheduled, so that none can run in the middle of another one's input.
    void schedule(int delay = 0) {
        if (!std::exchange(m_scheduled, true))
            QTimer::singleShot(delay, this, &RandomUseSoak::step);
    }

    void step() {
        m_scheduled = false;
        if (m_done)
            return;
        if (!settled() && ++m_waits < 1000)
            return schedule(1);
        m_waits = 0;
        if (const QString found = mismatch(); !found.isEmpty() || m_stepsDone++ == m_steps)
            return stop(found);

        m_messagesAtStart = m_dialogs.messages.size();
        m_questionsAtStart = m_dialogs.questions.size();
        m_deepestMessage = 0;
        m.messages.clear();
        m.questions = 0;
        const Action action = pick();
        m_recent << u"%1: %2"_s.arg(m_stepsDone).arg(action.name.left(60));
        if (m_recent.size() > 12)
            m_recent.removeFirst();
        ++m_depth;
        action.perform();
        --m_depth;
        schedule();
    }

    // Every window the action opens or closes has got there.
    bool settled() const {
        if (m.screen.answerShown)
            return m_answerWindow->isVisible() && QApplication::focusWidget() == m_controls[Answer];
        return m_depth == 0 && m_window->isActiveWindow();
    }

    QString mismatch() const {
        QStringList found;
        if (const Screen seen = observe(); !(seen == m.screen))
            found << "expected "_L1 + m.screen.describe() << "    seen "_L1 + seen.describe();
        QStringList messages;
        for (qsizetype i = m_messagesAtStart; i < m_dialogs.messages.size(); ++i)
            messages << m_dialogs.messages[i].title +
                            (m_dialogs.messages[i].icon == MessageIcon::Warning ? " (warning)"_L1 : ""_L1);
        if (messages != m.messages)
            found << u"messages: expected [%1], seen [%2]"_s.arg(m.messages.join(", "_L1),
                                                                 messages.join(", "_L1));
        if (m_deepestMessage > 1)
            found << u"%1 messages open at once"_s.arg(m_deepestMessage);
        if (m_dialogs.questions.size() - m_questionsAtStart != m.questions || m_dialogs.unansweredQuestions)
            found << u"input boxes: expected %1, seen %2"_s.arg(m.questions)
                         .arg(m_dialogs.questions.size() - m_questionsAtStart);
        if (!m.screen.answerShown && QApplication::activeModalWidget())
            found << "left open: "_L1 + QApplication::activeModalWidget()->windowTitle();
        return found.join(u'\n');
    }

    Screen observe() const {
        const auto text = [this](int c) { return static_cast<QLineEdit*>(m_controls[c])->text(); };
        const auto choice = [this](int c) { return static_cast<QComboBox*>(m_controls[c])->currentText(); };
        Screen s{{text(Tempo), text(Bars), text(Beats)},
                 {text(Res0), text(Res1), text(Res2)},
                 {choice(ValType), choice(ResType)},
                 controlOf(QApplication::focusWidget()),
                 m_answerWindow && m_answerWindow->isVisible(),
                 QString()};
        if (s.answerShown)
            s.answer = text(Answer);
        return s;
    }

    int controlOf(const QWidget* widget) const {
        for (; widget; widget = widget->parentWidget()) {
            if (const auto at = std::find(m_controls.begin(), m_controls.end(), widget);
                at != m_controls.end())
                return static_cast<int>(at - m_controls.begin());
        }
        return Elsewhere;
    }

    void stop(const QString& failure) {
        m_done = true;
        m_soak.quit();
        if (!failure.isEmpty())
            m_failure = u"seed %1, action %2\n%3\nlast actions:\n  %4"_s.arg(m_seed)
                            .arg(m_stepsDone)
                            .arg(failure, m_recent.join("\n  "_L1));
        if (m_answerWindow && m_answerWindow->isVisible())
            closeByButton(m_answerWindow);
    }

    // The model: what the windows do, from the entry rules, the formulas and the quick operations.

    int selected(int selector) const {
        const auto* box = static_cast<QComboBox*>(m_controls[selector == 0 ? ValType : ResType]);
        return box->findText(m.screen.selectors[selector], Qt::MatchFixedString);
    }

    // The entry's rules, then the formulas on all three entries; false when the entry is rejected.
    bool validate(int entry) {
        if (!tactora::entryAccepted(static_cast<tactora::Entry>(entry), m.screen.entries[entry].toStdString(),
                                    static_cast<tactora::TempoKind>(selected(0)), decimalSeparator())) {
            m.messages << RejectedEntry;
            m.screen.entries[entry] = m.tags[entry];
            return false;
        }
        const int kind = selected(0);
        if (kind != 0 && kind != 1)
            return true;
        const std::array<std::string, 3> texts{m.screen.entries[0].toStdString(),
                                               m.screen.entries[1].toStdString(),
                                               m.screen.entries[2].toStdString()};
        const auto read = tactora::readEntries({texts[0], texts[1], texts[2]}, decimalSeparator());
        const auto& [tempo, bars, beats] = read.values;
        const auto outcome = read.notANumber
                                 ? tactora::TempoOutcome{{}, tactora::ArithFault::InvalidOperation}
                             : kind == 0 ? tactora::CalcFromBpm(tempo, bars, beats, m.unitFactor)
                                         : tactora::CalcFromHz(tempo, bars, beats, m.unitFactor);
        if (!outcome.ok())
            m.messages << CalculationFault;
        else
            m.screen.results = {toDisplayText(outcome.results.barsLength),
                                toDisplayText(outcome.results.beatLength),
                                toDisplayText(outcome.results.converseRate)};
        return true;
    }

    // One change of a selector's text, whatever made it: handled once, then the tempo validated.
    void selectorChanged(int selector, const QString& text) {
        if (text == std::exchange(m.screen.selectors[selector], text))
            return;
        const int index = selected(selector);
        if (selector == 0 && index >= 0)
            m.screen.entries[0] = index == 0 ? u"100"_s : u"1"_s;
        if (selector == 1 && index >= 0)
            m.unitFactor = index == 0 ? 1 : 1000;
        validate(0);
    }

    // A move by Tab, Shift+Tab or a click: from one entry to another it validates the entry left.
    void moveFocus(int to) {
        const int from = m.screen.focus;
        if (from == to || (isEntry(from) && isEntry(to) && !validate(from - Tempo)))
            return;
        m.screen.focus = to;
        if (isEntry(to))
            m.tags[to - Tempo] = m.screen.entries[to - Tempo];
        loadRegister(to);
    }

    void loadRegister(int box) {
        if (isResult(box))
            m.reg = fromUserText(m.screen.results[box - Res0]).value_or(m.reg);
    }

    // The result window went: the main window is active again, with the focus in its result box.
    void backToMainWindow() {
        m.screen.answerShown = false;
        m.screen.answer.clear();
        m.screen.focus = m.origin;
        loadRegister(m.origin);
    }

    // The action picker: each action tells the model what it does, then does it. What a key
    // does depends on the control with the focus, in the main window or the result window.

    Action pick() {
        const int r = roll(20);
        if (r < 10)
            return click();
        if (r < 14)
            return typeIntoFocus();
        if (r < 17)
            return pressKey();
        return pressTab(roll(2));
    }

    // A click into the main window, mostly onto a control, else anywhere: onto a control it moves
    // the focus there, and a click on a selector's arrow opens its list, where a second click
    // chooses. Labels, rules and the bare client area take nothing. While the result window is
    // open, the main window takes no clicks at all.
    Action click() {
        if (m.screen.answerShown && roll(4) == 0) {
            backToMainWindow();
            return {u"close button of the result window"_s, [this] { closeByButton(m_answerWindow); }};
        }
        QWidget* area = m_window->centralWidget();
        const QRect region = roll(3) ? m_controls[roll(Answer)]->geometry() : area->rect();
        const QPoint at(region.x() + roll(region.width()), region.y() + roll(region.height()));
        const int control = m.screen.answerShown ? Elsewhere : controlOf(area->childAt(at));
        if (control != Elsewhere)
            moveFocus(control);
        const int row = roll(2);
        return {u"click at %1,%2 (%3)"_s.arg(at.x()).arg(at.y()).arg(ControlNames[control]), [=, this] {
                    clickAt(area, at);
                    if (auto* box = qobject_cast<QComboBox*>(m_controls[std::min(control, int(Answer))]);
                        box && box->view()->isVisible())
                        clickAt(box->view()->viewport(),
                                box->view()->visualRect(box->model()->index(row, 0)).center());
                    followSelector(control);
                }};
    }

    // A selector's text is the user's to type and completion rewrites it: whatever it shows
    // after a key is one change at most.
    void followSelector(int focus) {
        if (focus == ValType || focus == ResType)
            selectorChanged(focus == ValType ? 0 : 1,
                            static_cast<QComboBox*>(m_controls[focus])->currentText());
    }

    Action typeIntoFocus() {
        const int focus = m.screen.focus;
        if (isEntry(focus)) {
            const QString text = entryText();
            m.screen.entries[focus - Tempo] = text;
            return {u"type '%1' (%2 characters)"_s.arg(text.left(20)).arg(text.size()), [=] {
                        press(Qt::Key_A, Qt::ControlModifier);
                        text.isEmpty() ? press(Qt::Key_Backspace) : type(text);
                    }};
        }
        if (focus == ValType || focus == ResType) {
            // One key, perhaps after selecting the whole text.
            const bool selectAll = roll(2);
            const QString letter = roll(12) ? QString(u"bBcCsSmMlx "_s[roll(11)]) : QString();
            const Qt::Key key = QList{Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down}[roll(4)];
            return {u"selector key '%1'%2"_s.arg(letter.isEmpty() ? QString::number(key) : letter,
                                                 selectAll ? u" after Ctrl+A"_s : QString()),
                    [=, this] {
                        if (selectAll)
                            press(Qt::Key_A, Qt::ControlModifier);
                        letter.isEmpty() ? press(key) : type(letter);
                        followSelector(focus);
                    }};
        }
        if ((isResult(focus) || focus == Answer) && roll(3))
            return operatorKey();
        // No operator, and no control that takes text: nothing happens.
        const QString text = QStringList{u"5"_s, u"abc"_s, u"E"_s, u"0 9"_s}[roll(4)];
        return {u"type "_s + text, [=] { type(text); }};
    }

    // Enter, Escape, and chords of Tab on which Qt moves no focus, so that no entry is left.
    Action pressKey() {
        const QStringList keys{
            "Return", "Enter", "Esc", "Shift+Esc", "Ctrl+Tab", "Ctrl+Shift+Backtab", "Alt+Shift+Backtab"};
        const QKeyCombination chord = QKeySequence(keys[roll(keys.size())])[0];
        const Qt::Key key = chord.key();
        const Qt::KeyboardModifiers modifiers = chord.keyboardModifiers();
        const int focus = m.screen.focus;
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (isEntry(focus) && enter)
            validate(focus - Tempo);
        if (focus == Answer && (enter || key == Qt::Key_Escape))
            backToMainWindow();
        return {QKeySequence(chord).toString() + " in "_L1 + ControlNames[focus], [=, this] {
                    press(key, modifiers);
                    followSelector(focus);
                }};
    }

    Action pressTab(bool forward) {
        const qsizetype at = TabChain.indexOf(m.screen.focus);
        if (at >= 0)
            moveFocus(TabChain[(at + (forward ? 1 : TabChain.size() - 1)) % TabChain.size()]);
        return {forward ? u"Tab"_s : u"Shift+Tab"_s, [=, this] {
                    forward ? press(Qt::Key_Tab) : press(Qt::Key_Backtab, Qt::ShiftModifier);
                    // From a result box Qt picks the next control; no entry was left.
                    if (const int to = observe().focus; at < 0 && isEntry(m.screen.focus = to))
                        m.tags[to - Tempo] = m.screen.entries[to - Tempo];
                }};
    }

    // An operator key in a result box of either window: the result window goes first, then the
    // operand is asked for; a refusal or a cancel leaves no result window.
    Action operatorKey() {
        const char key = "*/\\+-#."[roll(7)];
        const QString answer = operandText();
        m_dialogs.queueAnswers({answer});
        m.questions = 1;
        if (isResult(m.screen.focus))
            m.origin = m.screen.focus;
        // A text that is no number counts as 0, which every operation refuses.
        const auto result = tactora::applyQuickOp(*tactora::quickOpForKey(static_cast<char32_t>(key)), m.reg,
                                                  fromUserText(answer).value_or(0));
        if (answer.isEmpty() || !result.ok()) {
            if (!answer.isEmpty())
                m.messages << InvalidCalculation;
            backToMainWindow();
        } else {
            m.screen.answerShown = true;
            m.screen.answer = toDisplayText(result.value);
            m.screen.focus = Answer;
            m.reg = fromUserText(m.screen.answer).value_or(result.value); // the number as shown
        }
        return {u"operator %1 with '%2'"_s.arg(QChar(key)).arg(answer), [=] { type(QString(QChar(key))); }};
    }

    QString entryText() {
        static const QStringList edges =
            u"|0|-0|-3|abc|x|1,000|1e|inf|nan|0x10|--1|1024|1024.5|4294967296|"
            u"4294967297|20000|20000.5|1E-307|1E-400|1E400| 5 |.5|5.|+2|1e3"_s.split(u'|');
        const int r = roll(12);
        if (r < 3)
            return edges[roll(edges.size())];
        if (r < 4) // huge: far beyond the range, far below it, or no number at all
            return QStringList{u"9"_s.repeated(400), "0."_L1 + u"0"_s.repeated(400) + "1"_L1,
                               u"0"_s.repeated(300) + "5"_L1, u"ab"_s.repeated(300)}[roll(4)];
        if (r < 6)
            return QString::number(m_random.bounded(25000.0), 'g', 1 + roll(16));
        return QString::number(1 + roll(1100));
    }

    QString operandText() {
        static const QStringList pool =
            u"2|3|0.5|-2|12|-12|0.4|2.5|1E3|7|-1|100|0|-0|0.0|abc|1,5|||1E308|1E-308"_s.split(u'|');
        return roll(3) ? pool[roll(pool.size())]
                       : QString::number(m_random.bounded(100.0) - 50, 'g', 1 + roll(9));
    }

    // Input as the platform delivers it: a click to the window at the control's position, keys
    // to the active window.
    static void clickAt(QWidget* widget, QPoint at) {
        QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                          widget->mapTo(widget->window(), at));
    }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        if (QWindow* window = QGuiApplication::focusWindow())
            QTest::keyClick(window, key, modifiers);
    }
    static void type(const QString& text) {
        for (const QChar character : text) {
            if (QWindow* window = QGuiApplication::focusWindow())
                QTest::keyClick(window, character.toLatin1());
        }
    }

    int roll(int n) { return static_cast<int>(m_random.bounded(n)); }

    quint32 m_seed = 0;
    int m_steps = 0;
    QRandomGenerator m_random;
    ModalWatchdog m_watchdog;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<FrmCalc> m_window;
    std::array<QWidget*, Elsewhere> m_controls{};
    QWidget* m_answerWindow = nullptr;

    struct {
        Screen screen;
        std::array<QString, 3> tags; // each entry's text when it last gained the focus
        double unitFactor = 1;
        double reg = 0;       // the quick calculator's register
        int origin = Res0;    // the main window's result box that a result window returns to
        QStringList messages; // expected during the current action
        int questions = 0;
    } m;

    // The stepping: where the action is, what it has shown so far, and the run's outcome.
    QEventLoop m_soak;
    bool m_done = false, m_scheduled = false;
    int m_stepsDone = 0, m_waits = 0, m_depth = 0;
    int m_messageDepth = 0, m_deepestMessage = 0;
    qsizetype m_messagesAtStart = 0, m_questionsAtStart = 0;
    QStringList m_recent;
    QString m_failure;
};

QTEST_MAIN(RandomUseSoak)
#include "random_use_soak_test.moc"
