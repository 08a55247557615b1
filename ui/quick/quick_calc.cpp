#include "ui/quick/quick_calc.h"

#include "ui/quick/frm_result.h"

#include "ui/shared/dialogs.h"
#include "ui/shared/number_text.h"

#include <QLatin1String>
#include <QLineEdit>

namespace {

// What the user is asked for each operation. The arithmetic knows nothing of these words.
struct OperationTexts {
    tactora::QuickOp op;
    const char* prompt;
    const char* title;
    const char* defaultOperand;
};

constexpr OperationTexts operationTable[] = {
    {tactora::QuickOp::Multiply, "Enter the multiplication (*) value.", "Multiplication", "2"},
    {tactora::QuickOp::Divide, "Enter the division (/) value.", "Division", "2"},
    {tactora::QuickOp::RoundedDivide, "Enter the division (\\) value.", "Rounded division", "2"},
    {tactora::QuickOp::Add, "Enter the addition/subtraction (+/-) value.", "Addition/subtraction", "1"},
    {tactora::QuickOp::Semitone, "Enter the semitone (#) value.", "Semitone", "6"},
    {tactora::QuickOp::DecimalRound, "Enter the decimal rounding (.) value.", "Decimal rounding", "3"},
};

const OperationTexts& textsOf(tactora::QuickOp op) {
    for (const OperationTexts& texts : operationTable) {
        if (texts.op == op) {
            return texts;
        }
    }
    Q_UNREACHABLE();
}

} // namespace

QuickCalculator::QuickCalculator(QWidget& owner, Dialogs& dialogs) : m_dialogs(dialogs), m_owner(&owner) {}

QuickCalculator::~QuickCalculator() {
    delete m_resultWindow;
}

void QuickCalculator::loadCurrentValue(double shown) {
    setCurrentValue(shown);
}

bool QuickCalculator::QuickCalcKey(char32_t key) {
    const std::optional<tactora::QuickOp> op = tactora::quickOpForKey(key);
    if (!op) {
        return false;
    }
    QuickCalc(static_cast<int>(*op));
    return true;
}

// A chain is a loop, not a nest of calls: the result window's display ends with the operator
// key typed into it, and the next link runs here, at the depth of the first. However long the
// user goes on, the stack stays as it is. Each link works on the number the previous one
// showed, handed on here: between two links the main window may be active again for a moment,
// and its result box then loads its own number into the register.
void QuickCalculator::QuickCalc(int code) {
    double value = CurrentValue;
    for (std::optional<tactora::QuickOp> op = tactora::quickOpForCode(code); op;
         op = runOperation(*op, value)) {
    }
}

std::optional<tactora::QuickOp> QuickCalculator::runOperation(tactora::QuickOp op, double& value) {
    if (!m_owner) {
        return std::nullopt;
    }
    // The previous answer goes first, whatever the user does next.
    if (m_resultWindow) {
        m_resultWindow->unload();
    }

    const OperationTexts& texts = textsOf(op);
    const QString title = QLatin1String(texts.title);
    const QString answer =
        m_dialogs.askText(QLatin1String(texts.prompt), title, QLatin1String(texts.defaultOperand));
    // The input box ran an event loop of its own, in which the owner may have gone.
    if (answer.isEmpty() || !m_owner) {
        return std::nullopt;
    }

    const std::optional<double> operand = fromUserText(answer);
    if (!operand) {
        reportInvalidCalculation();
        return std::nullopt;
    }
    const tactora::Checked result = tactora::applyQuickOp(op, value, *operand);
    if (!result.ok()) {
        reportInvalidCalculation();
        return std::nullopt;
    }
    setCurrentValue(result.value);

    FrmResult& window = resultWindow();
    window.setCaption(title + QStringLiteral(" result"));
    const QString shown = toDisplayText(CurrentValue);
    // What the window's box loads into the register when it takes the focus.
    value = fromUserText(shown).value_or(CurrentValue);
    QLineEdit& box = window.TxtResult();
    box.setText(shown);
    box.setSelection(0, static_cast<int>(shown.length()));
    return window.showModal();
}

// Built at the first answer rather than at start: many runs never show one.
FrmResult& QuickCalculator::resultWindow() {
    if (!m_resultWindow) {
        m_resultWindow = new FrmResult(*m_owner);
        QObject::connect(m_resultWindow, &FrmResult::shownNumberFocused, m_resultWindow,
                         [this](double shown) { setCurrentValue(shown); });
    }
    return *m_resultWindow;
}

void QuickCalculator::setCurrentValue(double value) {
    CurrentValue = value;
}

void QuickCalculator::reportInvalidCalculation() {
    m_dialogs.showMessage(QStringLiteral("Invalid calculation"), QStringLiteral("Calculation Error"),
                          MessageIcon::Warning);
}
