#include "ui/tools/stretch_panel.h"

#include "ui/tools/entry_refusal.h"
#include "ui/tools/form_rows.h"
#include "ui/tools/out_of_range.h"

#include "core/stretch.h"
#include "ui/paint/palette.h"
#include "ui/shared/number_text.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// A change shows its direction: "+5 %" is faster, "-5 %" slower.
QString signedText(double value) {
    return value > 0.0 ? QStringLiteral("+") + toDisplayText(value) : toDisplayText(value);
}

// The figures change width as the user types; the window keeps one size, and its painted
// background with it, so each figure has room for fifteen significant digits from the start.
const QString widestFigure = QStringLiteral("-0.000123456789012345 semitones");

} // namespace

StretchPanel::StretchPanel(QWidget& parent)
    : QGroupBox(QStringLiteral("Stretch"), &parent), m_rows(std::make_unique<FormRows>(*this)) {
    setObjectName(QStringLiteral("grpStretch"));
    setAccessibleName(title());
    palette::setColour(*this, QPalette::WindowText, palette::white);

    m_txtSource = &m_rows->addEntry(QStringLiteral("&Source tempo (BPM)"), QStringLiteral("txtSource"),
                                    QStringLiteral("Source tempo in BPM"));
    m_txtTarget = &m_rows->addEntry(QStringLiteral("&Target tempo (BPM)"), QStringLiteral("txtTarget"),
                                    QStringLiteral("Target tempo in BPM"));
    m_lblRatio = &m_rows->addFigure(QStringLiteral("Speed ratio"), QStringLiteral("lblRatio"));
    m_lblPercent = &m_rows->addFigure(QStringLiteral("Speed change"), QStringLiteral("lblPercent"));
    m_lblNewLength = &m_rows->addFigure(QStringLiteral("Bars length"), QStringLiteral("lblNewLength"));
    m_lblSemitones = &m_rows->addFigure(QStringLiteral("Pitch, like tape"), QStringLiteral("lblSemitones"));
    m_lblCents = &m_rows->addFigure(QString(), QStringLiteral("lblCents"));
    m_txtSemitones = &m_rows->addEntry(QStringLiteral("S&hift (semitones)"), QStringLiteral("txtSemitones"),
                                       QStringLiteral("Shift in semitones"));
    m_txtSemitones->setText(toDisplayText(0));
    m_lblShiftTarget =
        &m_rows->addFigure(QStringLiteral("Tempo for the shift"), QStringLiteral("lblShiftTarget"));
    m_lblStretchMessage = &m_rows->addMessage(QStringLiteral("lblStretchMessage"));
    m_lblSemitones->setMinimumWidth(fontMetrics().horizontalAdvance(widestFigure));

    for (QLineEdit* entry : {m_txtSource, m_txtTarget, m_txtSemitones}) {
        connect(entry, &QLineEdit::textChanged, this, &StretchPanel::showStretch);
    }
    showStretch();
}

StretchPanel::~StretchPanel() = default;

void StretchPanel::fill(const CalcOutcome& outcome) {
    m_outcome = outcome;
    const double bpm =
        outcome.tempoKind == tactora::TempoKind::CyclesPerSecond ? outcome.tempo * 60.0 : outcome.tempo;
    fillUntyped(*m_txtSource, bpm);
    fillUntyped(*m_txtTarget, bpm);
    // The bars length follows the main window's bars even where no entry changed.
    showStretch();
}

void StretchPanel::showStretch() {
    const double source = readOrNan(*m_txtSource);
    // The main window's bars length at the source tempo: whole notes of 60 / tempo * 4 seconds.
    const double mainBars = m_outcome.kind == CalcOutcome::Kind::Results ? m_outcome.bars : 1.0;
    const double barsLength = 240.0 / source * mainBars;
    const tactora::StretchOutcome stretch =
        tactora::stretchTempo(source, readOrNan(*m_txtTarget), barsLength);
    const tactora::ShiftOutcome shift = tactora::shiftTempo(source, readOrNan(*m_txtSemitones));

    QString message;
    switch (stretch.badInput) {
    case tactora::StretchInput::Source:
        message = refusal(QStringLiteral("The source tempo"), *m_txtSource);
        break;
    case tactora::StretchInput::Target:
        message = refusal(QStringLiteral("The target tempo"), *m_txtTarget);
        break;
    case tactora::StretchInput::Length:
        message = QStringLiteral("The bars length at the source tempo is out of range.");
        break;
    case tactora::StretchInput::Semitones:
    case tactora::StretchInput::Valid:
        break;
    }
    // Any number of semitones will do; only a text that is none is refused.
    if (message.isEmpty() && shift.badInput == tactora::StretchInput::Semitones) {
        message = QStringLiteral("The shift is not a number.");
    }

    const QString failed = stretch.fault != tactora::ArithFault::None ? outOfRangeMark() : QString();
    const tactora::Stretch& s = stretch.stretch;
    showFigure(*m_lblRatio, stretch.ok() ? toDisplayText(s.ratio) : failed);
    showFigure(*m_lblPercent, stretch.ok() ? signedText(s.percent) + QStringLiteral(" %") : failed);
    showFigure(
        *m_lblNewLength,
        stretch.ok()
            ? QStringLiteral("%1 s becomes %2 s").arg(toDisplayText(barsLength), toDisplayText(s.newLength))
            : failed);
    showFigure(*m_lblSemitones,
               stretch.ok() ? signedText(s.semitones) + QStringLiteral(" semitones") : failed);
    showFigure(*m_lblCents, stretch.ok() ? signedText(s.cents) + QStringLiteral(" cents") : failed);
    if (shift.ok()) {
        showFigure(*m_lblShiftTarget, toDisplayText(shift.targetTempo) + QStringLiteral(" BPM"));
    } else {
        showFigure(*m_lblShiftTarget,
                   shift.fault != tactora::ArithFault::None ? outOfRangeMark() : QString());
    }
    showFigure(*m_lblStretchMessage, message);
}
