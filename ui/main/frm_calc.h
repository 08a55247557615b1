#pragma once

#include "core/entry_rules.h"
#include "core/tempo.h"
#include "ui/shared/calc_outcome.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class Dialogs;
class FocusValidation;
class FrmAbout;
class FrmHelp;
class GradientSurface;
class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QuickCalculator;
class SelectorBox;

// The main window: the tempo calculator. Each control's member is named after its object
// name, and a control array is indexed by the number in that name: TxtValue[1] is "TxtValue(1)".
class FrmCalc : public QMainWindow {
    Q_OBJECT

public:
    explicit FrmCalc(Dialogs& dialogs, QWidget* parent = nullptr);
    ~FrmCalc() override;

    // What the tempo entry holds, as its selector says.
    tactora::TempoKind tempoKind() const;

    // Puts the text into the tempo entry and runs what Enter in it runs: the entry's check,
    // then the recalculation or the message and the entry's earlier text.
    void enterTempo(const QString& text);

    // What the latest recalculation came to.
    const CalcOutcome& lastOutcome() const { return m_lastOutcome; }

    // More items at the end of an entry's or a result box's context menu.
    void addEntryActions(tactora::Entry entry, const QList<QAction*>& actions);
    void addResultActions(int index, const QList<QAction*>& actions);

signals:
    // After every recalculation, whether it showed results or not.
    void outcomeChanged(const CalcOutcome& outcome);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Made and styled as the window looks before any code runs, in frm_calc_layout.cpp.
    void buildControls();
    void buildMenus();
    void connectControls();
    void Form_Load();
    void Form_Resize();
    void MnuAbout_Click();
    void MnuHelp_Click();
    void LoadResultTypes();
    void LoadValueTypes();
    void CmbResType_Change();
    void CmbValType_Change();
    void setRateCaption(const QString& caption);
    void TxtValue_GotFocus(int index);
    void TxtValue_KeyEnter(int index);
    void TxtResult_GotFocus(const QLineEdit& result);
    void TxtResult_KeyPress(const QKeyEvent& event);
    void moveAmongResults(bool forward);
    void ValidateEntry(int index, bool& cancel);
    void recalculate(const tactora::EntryValues& entries);
    bool showResults(const tactora::TempoOutcome& outcome); // true when they are shown
    tactora::EntryValues readEntries() const;
    void noteFailure(const QString& reason);

    Dialogs& m_dialogs;
    // Fed by the result boxes and the calculation menu; its result window belongs to this one.
    std::unique_ptr<QuickCalculator> m_quick;
    FocusValidation* m_validation = nullptr;
    GradientSurface* m_client = nullptr;

    std::array<QLabel*, 2> lbltitle{};
    std::array<QLabel*, 3> lblcalc{}; // "lblcalc(1)" and "lblcalc(2)"; there is no member 0
    std::array<QLabel*, 5> lblret{};
    std::array<QLineEdit*, 3> TxtValue{};
    std::array<QLineEdit*, 3> TxtResult{};
    std::array<QFrame*, 2> separator{};
    SelectorBox* CmbValType = nullptr;
    SelectorBox* CmbResType = nullptr;

    QAction* MnuAbout = nullptr;
    QMenu* MnuCalculator = nullptr;
    std::array<QAction*, 8> MnuCalculation{};
    QAction* MnuHelp = nullptr;

    // Made the first time they are asked for, then kept for the rest of the run.
    FrmAbout* m_about = nullptr;
    FrmHelp* m_help = nullptr;

    // The control the keyboard left for the result boxes, and returns to.
    QPointer<QWidget> m_leftForResults;
    // The control of this window that last gained the focus.
    const QObject* m_activeControl = nullptr;
    // Each entry's text as it was when the entry last gained the focus: what a rejected
    // entry returns to.
    std::array<QString, 3> m_valueTags;
    // The number the lengths are multiplied by, 1 for seconds or 1000 for milliseconds;
    // seconds until a unit is chosen.
    double m_unitFactor = 1.0;
    CalcOutcome m_lastOutcome;
};
