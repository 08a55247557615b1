#pragma once

#include "core/quick_ops.h"

#include <QPointer>

#include <optional>

class Dialogs;
class FrmResult;
class QWidget;

// The quick result calculator: one register, one operation at a time, each answer shown
// in the result window, from which further operator keys chain more operations.
class QuickCalculator final {
public:
    // The result window, built at the first answer, belongs to the owner's window; the boxes
    // ask for operands and report failures.
    QuickCalculator(QWidget& owner, Dialogs& dialogs);
    ~QuickCalculator();
    QuickCalculator(const QuickCalculator&) = delete;
    QuickCalculator& operator=(const QuickCalculator&) = delete;

    // The register every operation works on.
    double currentValue() const { return CurrentValue; }

    // A result box gained the focus: the register takes the number it shows.
    void loadCurrentValue(double shown);

    // Runs the operation of an operator key (* / \ + - # .) and returns true once it is done;
    // any other character returns false at once and does nothing.
    bool QuickCalcKey(char32_t key);

    // Runs one operation on the register: asks for the operand, applies the operation and shows
    // the answer in the result window, then every operation chained from there. Returns when
    // the user has closed whatever it opened.
    void QuickCalc(int code);

private:
    // One link of a chain, on the value given; returns the operation whose key ended its result
    // window's display, and leaves in value the number that window showed.
    std::optional<tactora::QuickOp> runOperation(tactora::QuickOp op, double& value);
    FrmResult& resultWindow();
    void setCurrentValue(double value);
    void reportInvalidCalculation();

    Dialogs& m_dialogs;
    // Guarded: the owner may go while an input box is open, and takes the window with it.
    QPointer<QWidget> m_owner;
    QPointer<FrmResult> m_resultWindow;
    double CurrentValue = 0.0;
};
