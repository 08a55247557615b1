#pragma once

#include "ui/tools/tempo_source_window.h"

struct CalcOutcome;
class LengthTempoPanel;
class StretchPanel;

// The tempo from a length window: the tempo that fits a number of bars into a length, and
// what playing at another tempo does to the length and, like tape, to the pitch. It opens
// with the main window's figures; what the user typed here is kept from one opening to the
// next. "Use" hands on the tempo from the length.
class FrmLength final : public TempoSourceWindow {
    Q_OBJECT

public:
    explicit FrmLength(QWidget& owner);

    // Fills the entries the user has not changed here from the main window's outcome, then
    // shows the window (beside its owner the first time) with the focus on the length.
    void open(const CalcOutcome& outcome);

private:
    LengthTempoPanel* m_lengthPanel;
    StretchPanel* m_stretchPanel;
};
