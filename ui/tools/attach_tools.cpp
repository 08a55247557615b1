#include "ui/tools/attach_tools.h"

#include "ui/tools/context_menus.h"
#include "ui/tools/frm_notes.h"
#include "ui/tools/frm_tap.h"
#include "ui/tools/tap_clock.h"

#include "ui/main/frm_calc.h"
#include "ui/shared/number_text.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>

namespace tools {

namespace {

// The tempo entry holds beats per minute or cycles per second, as its selector says.
QString tempoEntryText(double beatsPerMinute, tactora::TempoKind kind) {
    if (kind == tactora::TempoKind::CyclesPerSecond)
        return toDisplayText(beatsPerMinute / 60.0);
    return toDisplayText(beatsPerMinute);
}

// Builds the note values and tap tempo windows the first time the user asks for them: most
// runs never do, and building them would slow the start. Until then, and while the note window
// is hidden, only the main window's last outcome is kept, a few numbers or a reason, so that
// Enter costs no more than the main window's own work; the note window is brought up to date
// as it opens.
class ToolWindows final : public QObject {
public:
    explicit ToolWindows(FrmCalc& calc) : QObject(&calc), m_calc(calc) {
        connect(&calc, &FrmCalc::resultsShown, this, &ToolWindows::noteResults);
        connect(&calc, &FrmCalc::calculationFailed, this, &ToolWindows::noteFailure);
    }

    void openNotes() {
        if (!m_notes)
            m_notes = new FrmNotes(m_calc);
        showLastOutcome();
        m_notes->open();
    }

    void openTap() {
        static const SteadyTapClock steadyClock;
        if (!m_tap) {
            m_tap = new FrmTap(m_calc, steadyClock);
            connect(m_tap, &FrmTap::tempoChosen, &m_calc, [this](double beatsPerMinute) {
                m_calc.enterTempo(tempoEntryText(beatsPerMinute, m_calc.tempoKind()));
            });
        }
        m_tap->open();
    }

private:
    enum class Outcome { None, Results, Failure };

    void noteResults(tactora::TempoKind kind, double tempo, double unitFactor) {
        m_outcome = Outcome::Results;
        m_kind = kind;
        m_tempo = tempo;
        m_unitFactor = unitFactor;
        if (m_notes && m_notes->isVisible())
            showLastOutcome();
    }

    void noteFailure(const QString& reason) {
        m_outcome = Outcome::Failure;
        m_reason = reason;
        if (m_notes && m_notes->isVisible())
            showLastOutcome();
    }

    void showLastOutcome() {
        if (m_outcome == Outcome::Results)
            m_notes->showTempo(m_kind, m_tempo, m_unitFactor);
        else if (m_outcome == Outcome::Failure)
            m_notes->showNoResults(m_reason);
    }

    FrmCalc& m_calc;
    QPointer<FrmNotes> m_notes;
    QPointer<FrmTap> m_tap;
    Outcome m_outcome = Outcome::None;
    tactora::TempoKind m_kind = tactora::TempoKind::BeatsPerMinute;
    double m_tempo = 0.0;
    double m_unitFactor = 1.0;
    QString m_reason;
};

} // namespace

void AttachTools(FrmCalc& calc) {
    auto* windows = new ToolWindows(calc);
    auto* openNotes = new QAction(QStringLiteral("Note values…"), &calc);
    openNotes->setObjectName(QStringLiteral("actNoteValues"));
    QObject::connect(openNotes, &QAction::triggered, windows, &ToolWindows::openNotes);
    auto* openTap = new QAction(QStringLiteral("Tap tempo…"), &calc);
    openTap->setObjectName(QStringLiteral("actTapTempo"));
    QObject::connect(openTap, &QAction::triggered, windows, &ToolWindows::openTap);

    // The result boxes take no Tab, so the entries offer the note values too: that way
    // the keyboard alone reaches them.
    for (int i = 0; i < 3; ++i) {
        if (auto* result = calc.findChild<QLineEdit*>(QStringLiteral("TxtResult(%1)").arg(i)))
            addContextMenuItems(*result, {openNotes});
        if (auto* entry = calc.findChild<QLineEdit*>(QStringLiteral("TxtValue(%1)").arg(i)))
            addContextMenuItems(*entry,
                                i == 0 ? QList<QAction*>{openNotes, openTap} : QList<QAction*>{openNotes});
    }
}

} // namespace tools
