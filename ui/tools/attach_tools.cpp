#include "ui/tools/attach_tools.h"

#include "ui/tools/context_menus.h"
#include "ui/tools/frm_notes.h"
#include "ui/tools/frm_tap.h"
#include "ui/tools/tap_clock.h"

#include "ui/main/frm_calc.h"
#include "ui/shared/number_text.h"

#include <QAction>
#include <QLineEdit>

namespace tools {

namespace {

// The tempo entry holds beats per minute or cycles per second, as its selector says.
QString tempoEntryText(double beatsPerMinute, tactora::TempoKind kind) {
    if (kind == tactora::TempoKind::CyclesPerSecond)
        return toDisplayText(beatsPerMinute / 60.0);
    return toDisplayText(beatsPerMinute);
}

} // namespace

void AttachTools(FrmCalc& calc) {
    static const SteadyTapClock steadyClock;

    auto* notes = new FrmNotes(calc);
    QObject::connect(&calc, &FrmCalc::resultsShown, notes, &FrmNotes::showTempo);
    QObject::connect(&calc, &FrmCalc::calculationFailed, notes, &FrmNotes::showNoResults);
    auto* openNotes = new QAction(QStringLiteral("Note values…"), &calc);
    openNotes->setObjectName(QStringLiteral("actNoteValues"));
    QObject::connect(openNotes, &QAction::triggered, notes, &FrmNotes::open);
    auto* tap = new FrmTap(calc, steadyClock);
    QObject::connect(tap, &FrmTap::tempoChosen, &calc, [&calc](double beatsPerMinute) {
        calc.enterTempo(tempoEntryText(beatsPerMinute, calc.tempoKind()));
    });
    auto* openTap = new QAction(QStringLiteral("Tap tempo…"), &calc);
    openTap->setObjectName(QStringLiteral("actTapTempo"));
    QObject::connect(openTap, &QAction::triggered, tap, &FrmTap::open);

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
