#pragma once

#include "ui/tools/tool_window_base.h"

#include <optional>

struct CalcOutcome;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The tempo from a length window: the tempo that fits a number of bars into a length, and
// what playing at another tempo does to the length and, like tape, to the pitch. It opens
// with the main window's figures; what the user typed here is kept from one opening to the
// next.
class FrmLength final : public ToolWindow {
    Q_OBJECT

public:
    explicit FrmLength(QWidget& owner);

    // Fills the entries the user has not changed here from the main window's outcome, then
    // shows the window (beside its owner the first time) with the focus on the length.
    void open(const CalcOutcome& outcome);

signals:
    // The tempo from the length in beats per minute, as shown, when the user chose "Use".
    void tempoChosen(double beatsPerMinute);

private:
    void showTempo();
    void showStretch();
    void use();

    // The tempo shown, none while the inputs give none.
    std::optional<double> m_shownTempo;
    // The main window's bars, for its bars length at the source tempo.
    double m_mainBars = 1.0;

    QLineEdit* m_txtLength = nullptr;
    QComboBox* m_cmbUnit = nullptr;
    QComboBox* m_cmbSampleRate = nullptr;
    QLineEdit* m_txtBars = nullptr;
    QLineEdit* m_txtBeatsPerBar = nullptr;
    QLabel* m_lblBpm = nullptr;
    QLabel* m_lblHz = nullptr;
    QLabel* m_lblBeat = nullptr;
    QLabel* m_lblLengthMessage = nullptr;
    QPushButton* m_cmdUse = nullptr;

    QLineEdit* m_txtSource = nullptr;
    QLineEdit* m_txtTarget = nullptr;
    QLineEdit* m_txtSemitones = nullptr;
    QLabel* m_lblRatio = nullptr;
    QLabel* m_lblPercent = nullptr;
    QLabel* m_lblNewLength = nullptr;
    QLabel* m_lblSemitones = nullptr;
    QLabel* m_lblCents = nullptr;
    QLabel* m_lblShiftTarget = nullptr;
    QLabel* m_lblStretchMessage = nullptr;
};
