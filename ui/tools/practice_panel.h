#pragma once

#include "core/practice_plan.h"

#include <QWidget>

class FormRows;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTabBar;

// The metronome's practice settings besides the beat pattern, on three pages a tab bar
// chooses, so that the window stays narrow enough to stand beside the main window: the
// beats (subdivisions and sounds), the count-in with the muted bars, and the tempo trainer.
// It only reads its controls into a plan; what they mean in time is the player's business.
class PracticePanel final : public QWidget {
    Q_OBJECT

public:
    explicit PracticePanel(QWidget& parent);

    // Everything but the pattern, taken from the controls.
    void fillPlan(tactora::PracticePlan& plan) const;

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& addPage(const QString& title, const QString& accessibleName);
    QGroupBox& addGroup(QWidget& page, const QString& title);
    QComboBox& addSoundChoice(FormRows& rows, const QString& label, const QString& objectName,
                              tactora::ClickSound sound);
    QSpinBox& addCount(FormRows& rows, const QString& label, const QString& objectName, int minimum,
                       int maximum, int value);
    QDoubleSpinBox& addTempo(FormRows& rows, const QString& label, const QString& objectName, double minimum,
                             double value);
    void enableWhatApplies();

    QTabBar* m_tabPages = nullptr;
    QStackedWidget* m_pages = nullptr;
    QComboBox* m_cmbSubdivisions = nullptr;
    QComboBox* m_cmbSubdivisionSound = nullptr;
    QSlider* m_sldSubdivisionLevel = nullptr;
    QSpinBox* m_spnCountIn = nullptr;
    QComboBox* m_cmbCountInSound = nullptr;
    QSpinBox* m_spnPlayedBars = nullptr;
    QSpinBox* m_spnMutedBars = nullptr;
    QComboBox* m_cmbTrainer = nullptr;
    QDoubleSpinBox* m_spnTargetTempo = nullptr;
    QDoubleSpinBox* m_spnTempoStep = nullptr;
    QSpinBox* m_spnTrainerBars = nullptr;
    QLabel* m_lblTrainerBars = nullptr;
    QComboBox* m_cmbAccentSound = nullptr;
    QComboBox* m_cmbBeatSound = nullptr;
};
