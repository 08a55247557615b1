#include "quick_calc.h"

#include "frm_result.h"

#include <shared/dialogs.h>
#include <shared/number_text.h>

#include <QLatin1String>
#include <QLineEdit>
#include <QPointer>

#include <optional>

namespace mdlMain {

double CurrentValue = 0.0;

namespace {

// What the user is asked for each operation. The arithmetic knows nothing of these words.
struct OperationTexts {
    tactora::QuickOp op;
    const char* prompt;
    const char* title;
    const char* defaultOperand;
};

constexpr OperationTexts OperationTable[] = {
    {tactora::QuickOp::Multiply, "Enter the multiplication (*) value.", "Multiplication", "2"},
    {tactora::QuickOp::Divide, "Enter the division (/) value.", "Division", "2"},
    {tactora::QuickOp::RoundedDivide, "Enter the division (\\) value.", "Rounded division", "2"},
    {tactora::QuickOp::Add, "Enter the addition/subtraction (+/-) value.", "Addition/subtraction", "1"},
    {tactora::QuickOp::SemitoneShift, "Enter the semitone (#) value.", "Semitone", "6"},
    {tactora::QuickOp::DecimalRound, "Enter the decimal rounding (.) value.", "Decimal rounding", "3"},
};

const OperationTexts& textsOf(tactora::QuickOp op) {
    for (const OperationTexts& texts : OperationTable) {
        if (texts.op == op) {
            return texts;
        }
    }
    Q_UNREACHABLE();
}

// Guarded: the window goes with its owner, and an operation after that has nothing to show.
QPointer<FrmResult> resultWindow;
Dialogs* boxes = nullptr;

void reportInvalidCalculation() {
    boxes->showMessage(QStringLiteral("Invalid calculation"), QStringLiteral("Calculation Error"),
                       MessageIcon::Warning);
}

} // namespace

void AttachQuickCalculator(QWidget& owner, Dialogs& dialogs) {
    boxes = &dialogs;
    if (resultWindow && resultWindow->parentWidget() == &owner) {
        return;
    }
    // A new owner takes over: the window of the old one is no longer reachable, so it goes now.
    if (resultWindow) {
        resultWindow->unload();
        delete resultWindow;
    }
    resultWindow = new FrmResult(owner);
}

bool QuickCalcKey(char32_t key) {
    const std::optional<tactora::QuickOp> op = tactora::quickOpForKey(key);
    if (!op) {
        return false;
    }
    QuickCalc(static_cast<int>(*op));
    return true;
}

void QuickCalc(int code) {
    const std::optional<tactora::QuickOp> op = tactora::quickOpForCode(code);
    if (!op || boxes == nullptr || !resultWindow) {
        return;
    }
    // The previous answer goes first, whatever the user does next; when the key came from
    // the result window, this closes that very window while its key handling is still running
    // (it is only hidden, never deleted, so that handling can finish safely).
    resultWindow->unload();

    const OperationTexts& texts = textsOf(*op);
    const QString title = QLatin1String(texts.title);
    const QString answer =
        boxes->askText(QLatin1String(texts.prompt), title, QLatin1String(texts.defaultOperand));
    // The input box ran an event loop of its own, in which the owner and its window may have gone.
    if (answer.isEmpty() || !resultWindow) {
        return;
    }

    const std::optional<double> operand = fromUserText(answer);
    if (!operand) {
        reportInvalidCalculation();
        return;
    }
    const tactora::Checked result = tactora::applyQuickOp(*op, CurrentValue, *operand);
    if (!result.ok()) {
        reportInvalidCalculation();
        return;
    }
    CurrentValue = result.value;

    resultWindow->setCaption(title + QStringLiteral(" result"));
    const QString shown = toDisplayText(CurrentValue);
    QLineEdit& box = resultWindow->TxtResult();
    box.setText(shown);
    box.setSelection(0, static_cast<int>(shown.length()));
    resultWindow->showModal();
}

} // namespace mdlMain
