#include "ui/tools/stretch_panel.h"

#include "ui/tools/entry_refusal.h"
#include "ui/tools/form_rows.h"
#include "ui/tools/out_of_range.h"

#include "core/rounded_figure.h"
#include "core/stretch.h"
#include "ui/paint/palette.h"
#include "ui/shared/number_text.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QString withUnit(const tactora::RoundedFigure& figure, const QString& unit,
                 FigureSign sign = FigureSign::AsIs) {
    return figure.fits() ? shownFigure(figure, sign) + unit : outOfRangeMark();
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
    // The main window's bars, whose length at the source tempo is stretched.
    const double mainBars = m_outcome.kind == CalcOutcome::Kind::Results ? m_outcome.bars : 1.0;
    const tactora::StretchOutcome stretch = tactora::stretchTempo(source, readOrNan(*m_txtTarget), mainBars);
    const tactora::ShiftOutcome shift = tactora::shiftTempo(source, readOrNan(*m_txtSemitones));

    QString message;
    switch (stretch.badInput) {
    case tactora::StretchInput::Source:
        message = refusal(QStringLiteral("The source tempo"), *m_txtSource);
        break;
    case tactora::StretchInput::Target:
        message = refusal(QStringLiteral("The target tempo"), *m_txtTarget);
        break;
    case tactora::StretchInput::Bars:
    case tactora::StretchInput::Semitones:
    case tactora::StretchInput::Valid:
        break;
    }
    // Any number of semitones will do; only a text that is none is refused.
    if (message.isEmpty() && shift.badInput == tactora::StretchInput::Semitones) {
        message = QStringLiteral("The shift is not a number.");
    }

    // Each figure fits the double range or not on its own: a speed ratio too large to show
    // still has a pitch and a new length.
    const tactora::Stretch& s = stretch.stretch;
    const bool ok = stretch.ok();
    showFigure(*m_lblRatio, ok ? withUnit(s.ratio, QString()) : QString());
    showFigure(*m_lblPercent, ok ? withUnit(s.percent, QStringLiteral(" %"), FigureSign::Signed) : QString());
    showFigure(*m_lblNewLength, ok ? QStringLiteral("%1 becomes %2")
                                         .arg(withUnit(s.sourceLength, QStringLiteral(" s")),
                                              withUnit(s.newLength, QStringLiteral(" s")))
                                   : QString());
    showFigure(*m_lblSemitones,
               ok ? withUnit(s.semitones, QStringLiteral(" semitones"), FigureSign::Signed) : QString());
    showFigure(*m_lblCents, ok ? withUnit(s.cents, QStringLiteral(" cents"), FigureSign::Signed) : QString());
    showFigure(*m_lblShiftTarget,
               shift.ok() ? withUnit(shift.targetTempo, QStringLiteral(" BPM")) : QString());
    showFigure(*m_lblStretchMessage, message);
}
