#include "ui/app/tool_windows.h"

#include "ui/main/frm_calc.h"
#include "ui/shared/number_text.h"
#include "ui/tools/frm_length.h"
#include "ui/tools/frm_metronome.h"
#include "ui/tools/frm_notes.h"
#include "ui/tools/frm_tap.h"

#include <QAction>
#include <QPointer>

namespace {

// The tempo entry holds beats per minute or cycles per second, as its selector says.
QString tempoEntryText(double beatsPerMinute, tactora::TempoKind kind) {
    if (kind == tactora::TempoKind::CyclesPerSecond) {
        return toDisplayText(beatsPerMinute / 60.0);
    }
    return toDisplayText(beatsPerMinute);
}

// Builds the tool windows the first time the user asks for them: most runs never do, and
// building them would slow the start. While the note window is hidden a recalculation costs
// it nothing; it is brought up to date as it opens.
class ToolWindows final : public QObject {
public:
    ToolWindows(FrmCalc& calc, Dialogs& dialogs) : QObject(&calc), m_calc(calc), m_dialogs(dialogs) {
        connect(&calc, &FrmCalc::outcomeChanged, this, &ToolWindows::follow);

        auto* openNotes = new QAction(QStringLiteral("Note values…"), &calc);
        openNotes->setObjectName(QStringLiteral("actNoteValues"));
        connect(openNotes, &QAction::triggered, this, &ToolWindows::openNotes);
        auto* openTap = new QAction(QStringLiteral("Tap tempo…"), &calc);
        openTap->setObjectName(QStringLiteral("actTapTempo"));
        connect(openTap, &QAction::triggered, this, &ToolWindows::openTap);
        auto* openLength = new QAction(QStringLiteral("Tempo from length…"), &calc);
        openLength->setObjectName(QStringLiteral("actTempoFromLength"));
        connect(openLength, &QAction::triggered, this, &ToolWindows::openLength);
        auto* openMetronome = new QAction(QStringLiteral("Metronome…"), &calc);
        openMetronome->setObjectName(QStringLiteral("actMetronome"));
        connect(openMetronome, &QAction::triggered, this, &ToolWindows::openMetronome);

        // The result boxes take no Tab, so the entries offer the note values too: that way
        // the keyboard alone reaches them.
        for (int i = 0; i < 3; ++i) {
            calc.addResultActions(i, {openNotes, openLength, openMetronome});
        }
        calc.addEntryActions(tactora::Entry::Tempo, {openNotes, openTap, openLength, openMetronome});
        calc.addEntryActions(tactora::Entry::Bars, {openNotes, openLength, openMetronome});
        calc.addEntryActions(tactora::Entry::BeatsPerBar, {openNotes, openLength, openMetronome});
    }

private:
    void openNotes() {
        if (!m_notes) {
            m_notes = new FrmNotes(m_calc);
        }
        m_notes->showOutcome(m_calc.lastOutcome());
        m_notes->open();
    }

    void openTap() {
        if (!m_tap) {
            m_tap = new FrmTap(m_calc);
            connect(m_tap, &FrmTap::tempoChosen, this, &ToolWindows::useTempo);
        }
        m_tap->open();
    }

    // Unlike the note window it does not follow the recalculations while open: the user
    // works on its figures, and they come from the main window only as it opens.
    void openLength() {
        if (!m_length) {
            m_length = new FrmLength(m_calc);
            connect(m_length, &FrmLength::tempoChosen, this, &ToolWindows::useTempo);
        }
        m_length->open(m_calc.lastOutcome());
    }

    // It follows every recalculation while open, and stops sounding when closed.
    void openMetronome() {
        if (!m_metronome) {
            m_metronome = new FrmMetronome(m_calc, m_dialogs);
        }
        m_metronome->open(m_calc.lastOutcome());
    }

    // A tempo a tool window hands on goes through the tempo entry's check, as if typed there.
    void useTempo(double beatsPerMinute) {
        m_calc.enterTempo(tempoEntryText(beatsPerMinute, m_calc.tempoKind()));
    }

    void follow(const CalcOutcome& outcome) {
        if (m_notes && m_notes->isVisible()) {
            m_notes->showOutcome(outcome);
        }
        if (m_metronome && m_metronome->isVisible()) {
            m_metronome->follow(outcome);
        }
    }

    FrmCalc& m_calc;
    Dialogs& m_dialogs;
    QPointer<FrmNotes> m_notes;
    QPointer<FrmTap> m_tap;
    QPointer<FrmLength> m_length;
    QPointer<FrmMetronome> m_metronome;
};

} // namespace

void attachToolWindows(FrmCalc& calc, Dialogs& dialogs) {
    new ToolWindows(calc, dialogs);
}
