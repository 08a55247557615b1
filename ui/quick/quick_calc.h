#pragma once

#include <quick_ops.h>

class Dialogs;
class QWidget;

// The quick result calculator: one register, one operation at a time, each answer shown
// in the result window, from which further operator keys chain more operations.
namespace mdlMain {

// The register every operation works on; result boxes load it when they gain the focus.
extern double CurrentValue;

// Names the window the result windows belong to and the boxes that ask for operands and
// report failures. The main window calls it once as it loads; tests call it with their own.
void AttachQuickCalculator(QWidget& owner, Dialogs& dialogs);

// Runs the operation of an operator key (* / \ + - # .) and returns true once it is done;
// any other character returns false at once and does nothing.
bool QuickCalcKey(char32_t key);

// Runs one operation on CurrentValue: asks for the operand, applies the operation and shows
// the answer in the result window. Returns when the user has closed whatever it opened.
void QuickCalc(int code);

using tactora::SemitoneShift;

} // namespace mdlMain
