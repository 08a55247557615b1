// What the user waits for after pressing Enter in the main window: the entries read, the
// formulas, the display rule and the three results written; and what one quick operation
// costs between the operand box and the result window.
#include "core/quick_ops.h"
#include "ui/main/frm_calc.h"
#include "ui/shared/dialogs.h"
#include "ui/shared/number_text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// The measured paths open no box: one that asks anything means the run measured something else.
class NoDialogs final : public Dialogs {
public:
    void showMessage(const QString& text, const QString& /*title*/, MessageIcon /*icon*/) override {
        unexpected(text);
    }
    QString askText(const QString& prompt, const QString& /*title*/,
                    const QString& /*defaultText*/) override {
        unexpected(prompt);
        return {};
    }
    QString askSavePath(const QString& title, const QString& /*suggestedPath*/,
                        const QString& /*filter*/) override {
        unexpected(title);
        return {};
    }

private:
    [[noreturn]] static void unexpected(const QString& text) {
        std::fprintf(stderr, "The window opened a box: %s\n", qPrintable(text));
        std::abort();
    }
};

struct TempoCase {
    const char* typed;
    std::array<const char*, 3> shown; // the three results, seconds
};

// Two tempos in turn, so that every Enter changes what the three result boxes show.
constexpr std::array<TempoCase, 2> tempos{
    {{"120", {"2", "0.5", "2"}}, {"140", {"1.71428571428571", "0.428571428571429", "2.33333333333333"}}}};

QPoint centreIn(const QWidget& window, const QWidget& control) {
    return control.mapTo(&window, control.rect().center());
}

// The main window, shown, with the focus in the tempo entry as a click puts it there.
class ShownWindow {
public:
    explicit ShownWindow(benchmark::State& state) : m_window(m_dialogs) {
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window)) {
            state.SkipWithError("The main window was not shown");
            return;
        }
        QTest::mouseClick(handle(), Qt::LeftButton, {}, centreIn(m_window, tempo()));
        if (!tempo().hasFocus())
            state.SkipWithError("The tempo entry did not take the focus");
    }

    QWindow* handle() const { return m_window.windowHandle(); }
    QLineEdit& tempo() const { return *m_window.findChild<QLineEdit*>(QStringLiteral("TxtValue(0)")); }

    // Types the tempo as a user does, and draws it, outside the timing.
    void typeTempo(const TempoCase& next) const {
        QTest::keyClick(handle(), Qt::Key_A, Qt::ControlModifier);
        for (const char* c = next.typed; *c != '\0'; ++c)
            QTest::keyClick(handle(), *c);
        QCoreApplication::processEvents();
    }

    bool shows(const TempoCase& expected) const {
        for (std::size_t i = 0; i < expected.shown.size(); ++i) {
            const auto* box = m_window.findChild<QLineEdit*>(QStringLiteral("TxtResult(%1)").arg(i));
            if (box->text() != QLatin1String(expected.shown[i]))
                return false;
        }
        return true;
    }

private:
    NoDialogs m_dialogs;
    FrmCalc m_window;
};

// Times one Enter per iteration, with a new tempo typed beforehand, and checks that the
// results shown are that tempo's.
template <typename PressEnter> void timeEnter(benchmark::State& state, PressEnter pressEnter) {
    const ShownWindow window(state);
    std::size_t turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const TempoCase& next = tempos[turn++ % tempos.size()];
        window.typeTempo(next);
        state.ResumeTiming();

        pressEnter(window);

        state.PauseTiming();
        if (!window.shows(next))
            state.SkipWithError("Enter did not show the expected results");
        state.ResumeTiming();
    }
}

// Enter as the entry receives it: the key event through the application's event filters to
// the entry, the validation, the recalculation and the three results written. Drawing them
// follows later, in the event loop.
void BM_EnterRecalculates(benchmark::State& state) {
    timeEnter(state, [](const ShownWindow& window) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(&window.tempo(), &press);
        QApplication::sendEvent(&window.tempo(), &release);
    });
}
BENCHMARK(BM_EnterRecalculates)->Unit(benchmark::kMicrosecond);

// Enter as the user presses it: from the window system's key event to the three new
// results drawn into the window.
void BM_EnterRecalculatesAndDraws(benchmark::State& state) {
    timeEnter(state, [](const ShownWindow& window) { QTest::keyClick(window.handle(), Qt::Key_Return); });
}
BENCHMARK(BM_EnterRecalculatesAndDraws)->Unit(benchmark::kMicrosecond);

// The operand as typed into the box, the operation, and the answer as the result window
// shows it: everything of a quick operation but the two boxes.
void BM_QuickOperation(benchmark::State& state) {
    using tactora::QuickOp;
    const std::array<std::pair<QuickOp, QString>, 6> operations{
        {{QuickOp::Multiply, QStringLiteral("2")},
         {QuickOp::Divide, QStringLiteral("3")},
         {QuickOp::RoundedDivide, QStringLiteral("2")},
         {QuickOp::Add, QStringLiteral("-1.5")},
         {QuickOp::Semitone, QStringLiteral("1")},
         {QuickOp::DecimalRound, QStringLiteral("3")}}};
    const QString shownResult = QStringLiteral("1714.28571428571");
    std::size_t turn = 0;
    for (auto _ : state) {
        const auto& [op, operandText] = operations[turn++ % operations.size()];
        const double value = fromUserText(shownResult).value_or(0.0);
        const double operand = fromUserText(operandText).value_or(0.0);
        const tactora::Checked answer = tactora::applyQuickOp(op, value, operand);
        benchmark::DoNotOptimize(toDisplayText(answer.value));
    }
}
BENCHMARK(BM_QuickOperation);

} // namespace

int main(int argc, char* argv[]) {
    // The window is measured without a display, as the window tests run it.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
