#pragma once

#include "ui/shared/calc_outcome.h"

#include <QGroupBox>

#include <memory>

class FormRows;
class QLabel;
class QLineEdit;

// What playing at another tempo does to the main window's bars length and, like tape, to the
// pitch; and the tempo that shifts the pitch by a number of semitones.
class StretchPanel final : public QGroupBox {
    Q_OBJECT

public:
    explicit StretchPanel(QWidget& parent);
    ~StretchPanel() override;

    // Takes the main window's outcome: its tempo fills the tempo entries the user has not
    // typed into here, and its bars make the bars length.
    void fill(const CalcOutcome& outcome);

private:
    void showStretch();

    // The outcome the window opened with; its bars make the bars length at the source tempo.
    CalcOutcome m_outcome;
    std::unique_ptr<FormRows> m_rows;
    QLineEdit* m_txtSource;
    QLineEdit* m_txtTarget;
    QLabel* m_lblRatio;
    QLabel* m_lblPercent;
    QLabel* m_lblNewLength;
    QLabel* m_lblSemitones;
    QLabel* m_lblCents;
    QLineEdit* m_txtSemitones;
    QLabel* m_lblShiftTarget;
    QLabel* m_lblStretchMessage;
};
