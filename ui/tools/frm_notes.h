#pragma once

#include "ui/shared/calc_outcome.h"
#include "ui/tools/tool_window_base.h"

class NoteTable;
class QComboBox;
class QLabel;

// The note values window: whole to sixty-fourth notes, straight, dotted, triplet and
// quintuplet, at the tempo of the main window's last calculation. A tool window that
// stays open beside the main window and follows its calculations.
class FrmNotes final : public ToolWindow {
    Q_OBJECT

public:
    explicit FrmNotes(QWidget& owner);

    // Shows the figures for the main window's outcome: for a failure, those of the results the
    // main window kept, and why; with no results at all the table empties and says why.
    void showOutcome(const CalcOutcome& outcome);

    // Shows the window (beside its owner the first time) and gives it the focus.
    void open();

private:
    enum class Figure { Length, Rate, Samples };

    void showNoResults();
    // Says which note is the beat and fills the table for it.
    void showBeat();
    QString mainBeatSentence() const;

    void fillTable();
    QString cellText(int row, int column) const;
    QString cornerText() const;
    void fillFigureChoices();
    Figure figure() const;
    double sampleRate() const;

    QLabel* m_lblBeat = nullptr;
    QComboBox* m_cmbBeat = nullptr;
    QComboBox* m_cmbFigure = nullptr;
    QComboBox* m_cmbSampleRate = nullptr;
    NoteTable* m_table = nullptr;

    // The main window's latest outcome: the table shows the figures of the results on
    // its screen, if any.
    CalcOutcome m_outcome;
};
