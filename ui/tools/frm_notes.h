#pragma once

#include "core/entry_rules.h"
#include "ui/tools/tool_window_base.h"

struct CalcOutcome;
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

    // Shows the figures for a tempo; unitFactor is 1 for seconds and 1000 for milliseconds,
    // as in the main window.
    void showTempo(tactora::TempoKind kind, double tempo, double unitFactor);
    void showNoResults(const QString& reason);
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

    bool m_hasTempo = false;
    tactora::TempoKind m_kind = tactora::TempoKind::BeatsPerMinute;
    double m_tempo = 0.0;
    double m_unitFactor = 1.0;
    // Why the main window kept the results shown after its latest recalculation; empty
    // when that recalculation gave them.
    QString m_keptBecause;
    // The main window's bars and beats per bar, which make its one beat length.
    double m_bars = 1.0;
    double m_beatsPerBar = 4.0;
};
