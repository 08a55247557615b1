#include "ui/tools/frm_length.h"

#include "ui/tools/out_of_range.h"

#include "core/entry_rules.h"
#include "core/stretch.h"
#include "core/tempo_from_length.h"
#include "ui/paint/palette.h"
#include "ui/shared/calc_outcome.h"
#include "ui/shared/number_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <limits>

namespace {

using tactora::LengthInput;
using tactora::StretchInput;

// The figures change width as the user types; the window keeps one size, and its painted
// background with it, so each figure has room for fifteen significant digits from the start.
const QString widestFigure = QStringLiteral("-0.000123456789012345 semitones");

// A text that reads as no number goes to the calculation as one it refuses, so that the
// calculation alone decides which input is at fault.
double readOrNan(const QLineEdit& entry) {
    return fromUserText(entry.text()).value_or(std::numeric_limits<double>::quiet_NaN());
}

// Why the calculation refused an entry's text; limit is what the entry allows at most, where
// it has a limit of its own (the parser alone keeps the others within the double range).
QString refusal(const QString& name, const QLineEdit& entry, std::optional<double> limit = std::nullopt) {
    const std::optional<double> value = fromUserText(entry.text());
    if (!value) {
        return QStringLiteral("%1 is not a number.").arg(name);
    }
    if (limit && *value > *limit) {
        return QStringLiteral("%1 must be at most %2.").arg(name, QLocale().toString(*limit, 'f', 0));
    }
    return QStringLiteral("%1 must be greater than zero.").arg(name);
}

// A change shows its direction: "+5 %" is faster, "-5 %" slower.
QString signedText(double value) {
    return value > 0.0 ? QStringLiteral("+") + toDisplayText(value) : toDisplayText(value);
}

void showFigure(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAccessibleName(text);
}

} // namespace

FrmLength::FrmLength(QWidget& owner)
    : ToolWindow(owner, QStringLiteral("FrmLength"), QStringLiteral("Tempo from length")) {

    auto* grpTempo = new QGroupBox(QStringLiteral("Tempo from a length"), this);
    grpTempo->setObjectName(QStringLiteral("grpTempo"));
    grpTempo->setAccessibleName(grpTempo->title());
    palette::setColour(*grpTempo, QPalette::WindowText, palette::white);
    auto* tempoGrid = new QGridLayout(grpTempo);

    m_txtLength = new QLineEdit(grpTempo);
    m_txtLength->setObjectName(QStringLiteral("txtLength"));
    m_txtLength->setAccessibleName(QStringLiteral("Length"));
    auto* lblLength = whiteLabel(QStringLiteral("&Length"), *grpTempo);
    lblLength->setBuddy(m_txtLength);

    m_cmbUnit = new QComboBox(grpTempo);
    m_cmbUnit->setObjectName(QStringLiteral("cmbUnit"));
    m_cmbUnit->setAccessibleName(QStringLiteral("Unit"));
    // In the order of tactora::LengthUnit.
    m_cmbUnit->addItems(
        {QStringLiteral("Seconds"), QStringLiteral("Milliseconds"), QStringLiteral("Samples")});
    auto* lblUnit = whiteLabel(QStringLiteral("&Unit"), *grpTempo);
    lblUnit->setBuddy(m_cmbUnit);

    m_cmbSampleRate = new QComboBox(grpTempo);
    m_cmbSampleRate->setObjectName(QStringLiteral("cmbSampleRate"));
    m_cmbSampleRate->setAccessibleName(QStringLiteral("Sample rate"));
    addSampleRates(*m_cmbSampleRate);
    auto* lblSampleRate = whiteLabel(QStringLiteral("Sample &rate"), *grpTempo);
    lblSampleRate->setBuddy(m_cmbSampleRate);

    m_txtBars = new QLineEdit(grpTempo);
    m_txtBars->setObjectName(QStringLiteral("txtBars"));
    m_txtBars->setAccessibleName(QStringLiteral("Bars"));
    auto* lblBars = whiteLabel(QStringLiteral("&Bars"), *grpTempo);
    lblBars->setBuddy(m_txtBars);

    m_txtBeatsPerBar = new QLineEdit(grpTempo);
    m_txtBeatsPerBar->setObjectName(QStringLiteral("txtBeatsPerBar"));
    m_txtBeatsPerBar->setAccessibleName(QStringLiteral("Beats per bar"));
    auto* lblBeatsPerBar = whiteLabel(QStringLiteral("Beats &per bar"), *grpTempo);
    lblBeatsPerBar->setBuddy(m_txtBeatsPerBar);

    m_lblBpm = whiteLabel(QString(), *grpTempo);
    m_lblBpm->setObjectName(QStringLiteral("lblBpm"));
    m_lblHz = whiteLabel(QString(), *grpTempo);
    m_lblHz->setObjectName(QStringLiteral("lblHz"));
    m_lblBeat = whiteLabel(QString(), *grpTempo);
    m_lblBeat->setObjectName(QStringLiteral("lblBeat"));
    m_lblLengthMessage = whiteLabel(QString(), *grpTempo);
    m_lblLengthMessage->setObjectName(QStringLiteral("lblLengthMessage"));
    m_lblLengthMessage->setWordWrap(true);

    m_cmdUse = new QPushButton(QStringLiteral("Use"), grpTempo);
    m_cmdUse->setObjectName(QStringLiteral("cmdUse"));
    m_cmdUse->setAccessibleName(QStringLiteral("Use"));
    connect(m_cmdUse, &QPushButton::clicked, this, &FrmLength::use);

    tempoGrid->addWidget(lblLength, 0, 0);
    tempoGrid->addWidget(m_txtLength, 0, 1);
    tempoGrid->addWidget(lblUnit, 1, 0);
    tempoGrid->addWidget(m_cmbUnit, 1, 1);
    tempoGrid->addWidget(lblSampleRate, 2, 0);
    tempoGrid->addWidget(m_cmbSampleRate, 2, 1);
    tempoGrid->addWidget(lblBars, 3, 0);
    tempoGrid->addWidget(m_txtBars, 3, 1);
    tempoGrid->addWidget(lblBeatsPerBar, 4, 0);
    tempoGrid->addWidget(m_txtBeatsPerBar, 4, 1);
    tempoGrid->addWidget(whiteLabel(QStringLiteral("Tempo"), *grpTempo), 5, 0);
    tempoGrid->addWidget(m_lblBpm, 5, 1);
    tempoGrid->addWidget(whiteLabel(QStringLiteral("Beats per second"), *grpTempo), 6, 0);
    tempoGrid->addWidget(m_lblHz, 6, 1);
    tempoGrid->addWidget(whiteLabel(QStringLiteral("One beat"), *grpTempo), 7, 0);
    tempoGrid->addWidget(m_lblBeat, 7, 1);
    tempoGrid->addWidget(m_lblLengthMessage, 8, 0, 1, 2);
    tempoGrid->addWidget(m_cmdUse, 9, 1, Qt::AlignRight);

    auto* grpStretch = new QGroupBox(QStringLiteral("Stretch"), this);
    grpStretch->setObjectName(QStringLiteral("grpStretch"));
    grpStretch->setAccessibleName(grpStretch->title());
    palette::setColour(*grpStretch, QPalette::WindowText, palette::white);
    auto* stretchGrid = new QGridLayout(grpStretch);

    m_txtSource = new QLineEdit(grpStretch);
    m_txtSource->setObjectName(QStringLiteral("txtSource"));
    m_txtSource->setAccessibleName(QStringLiteral("Source tempo in BPM"));
    auto* lblSource = whiteLabel(QStringLiteral("&Source tempo (BPM)"), *grpStretch);
    lblSource->setBuddy(m_txtSource);

    m_txtTarget = new QLineEdit(grpStretch);
    m_txtTarget->setObjectName(QStringLiteral("txtTarget"));
    m_txtTarget->setAccessibleName(QStringLiteral("Target tempo in BPM"));
    auto* lblTarget = whiteLabel(QStringLiteral("&Target tempo (BPM)"), *grpStretch);
    lblTarget->setBuddy(m_txtTarget);

    m_txtSemitones = new QLineEdit(toDisplayText(0), grpStretch);
    m_txtSemitones->setObjectName(QStringLiteral("txtSemitones"));
    m_txtSemitones->setAccessibleName(QStringLiteral("Shift in semitones"));
    auto* lblSemitones = whiteLabel(QStringLiteral("S&hift (semitones)"), *grpStretch);
    lblSemitones->setBuddy(m_txtSemitones);

    m_lblRatio = whiteLabel(QString(), *grpStretch);
    m_lblRatio->setObjectName(QStringLiteral("lblRatio"));
    m_lblPercent = whiteLabel(QString(), *grpStretch);
    m_lblPercent->setObjectName(QStringLiteral("lblPercent"));
    m_lblNewLength = whiteLabel(QString(), *grpStretch);
    m_lblNewLength->setObjectName(QStringLiteral("lblNewLength"));
    m_lblSemitones = whiteLabel(QString(), *grpStretch);
    m_lblSemitones->setObjectName(QStringLiteral("lblSemitones"));
    m_lblCents = whiteLabel(QString(), *grpStretch);
    m_lblCents->setObjectName(QStringLiteral("lblCents"));
    m_lblShiftTarget = whiteLabel(QString(), *grpStretch);
    m_lblShiftTarget->setObjectName(QStringLiteral("lblShiftTarget"));
    m_lblStretchMessage = whiteLabel(QString(), *grpStretch);
    m_lblStretchMessage->setObjectName(QStringLiteral("lblStretchMessage"));
    m_lblStretchMessage->setWordWrap(true);

    stretchGrid->addWidget(lblSource, 0, 0);
    stretchGrid->addWidget(m_txtSource, 0, 1);
    stretchGrid->addWidget(lblTarget, 1, 0);
    stretchGrid->addWidget(m_txtTarget, 1, 1);
    stretchGrid->addWidget(whiteLabel(QStringLiteral("Speed ratio"), *grpStretch), 2, 0);
    stretchGrid->addWidget(m_lblRatio, 2, 1);
    stretchGrid->addWidget(whiteLabel(QStringLiteral("Speed change"), *grpStretch), 3, 0);
    stretchGrid->addWidget(m_lblPercent, 3, 1);
    stretchGrid->addWidget(whiteLabel(QStringLiteral("Bars length"), *grpStretch), 4, 0);
    stretchGrid->addWidget(m_lblNewLength, 4, 1);
    stretchGrid->addWidget(whiteLabel(QStringLiteral("Pitch, like tape"), *grpStretch), 5, 0);
    stretchGrid->addWidget(m_lblSemitones, 5, 1);
    stretchGrid->addWidget(m_lblCents, 6, 1);
    stretchGrid->addWidget(lblSemitones, 7, 0);
    stretchGrid->addWidget(m_txtSemitones, 7, 1);
    stretchGrid->addWidget(whiteLabel(QStringLiteral("Tempo for the shift"), *grpStretch), 8, 0);
    stretchGrid->addWidget(m_lblShiftTarget, 8, 1);
    stretchGrid->addWidget(m_lblStretchMessage, 9, 0, 1, 2);

    auto* grid = new QGridLayout(this);
    // One above the other, the window is narrow enough to stand beside the main window.
    grid->addWidget(grpTempo, 0, 0);
    grid->addWidget(grpStretch, 1, 0);

    for (QLineEdit* entry : {m_txtLength, m_txtBars, m_txtBeatsPerBar}) {
        connect(entry, &QLineEdit::textChanged, this, &FrmLength::showTempo);
    }
    connect(m_cmbUnit, &QComboBox::currentIndexChanged, this, &FrmLength::showTempo);
    connect(m_cmbSampleRate, &QComboBox::currentIndexChanged, this, &FrmLength::showTempo);
    for (QLineEdit* entry : {m_txtSource, m_txtTarget, m_txtSemitones}) {
        connect(entry, &QLineEdit::textChanged, this, &FrmLength::showStretch);
    }
    setTabOrder(m_txtLength, m_cmbUnit);
    setTabOrder(m_cmbUnit, m_cmbSampleRate);
    setTabOrder(m_cmbSampleRate, m_txtBars);
    setTabOrder(m_txtBars, m_txtBeatsPerBar);
    setTabOrder(m_txtBeatsPerBar, m_cmdUse);
    setTabOrder(m_cmdUse, m_txtSource);
    setTabOrder(m_txtSource, m_txtTarget);
    setTabOrder(m_txtTarget, m_txtSemitones);

    const int figureWidth = fontMetrics().horizontalAdvance(widestFigure);
    for (QLabel* figure : {m_lblBpm, m_lblSemitones}) {
        figure->setMinimumWidth(figureWidth);
    }
    for (QLabel* message : {m_lblLengthMessage, m_lblStretchMessage}) {
        message->setMinimumHeight(2 * fontMetrics().lineSpacing());
    }
    showTempo();
    showStretch();
    fixSizeAndPaint();
}

void FrmLength::open(const CalcOutcome& outcome) {
    if (outcome.kind == CalcOutcome::Kind::Results) {
        m_mainBars = outcome.bars;
        const double bpm =
            outcome.tempoKind == tactora::TempoKind::CyclesPerSecond ? outcome.tempo * 60.0 : outcome.tempo;
        // An entry the user typed into keeps what was typed; setText() forgets the typing.
        const auto fill = [](QLineEdit& entry, double value) {
            if (!entry.isModified()) {
                entry.setText(toDisplayText(value));
            }
        };
        fill(*m_txtBars, outcome.bars);
        fill(*m_txtBeatsPerBar, outcome.beatsPerBar);
        fill(*m_txtSource, bpm);
        fill(*m_txtTarget, bpm);
        // The bars length follows the main window's bars even where no entry changed.
        showStretch();
    }
    present();
    m_txtLength->setFocus();
}

void FrmLength::showTempo() {
    const auto unit = static_cast<tactora::LengthUnit>(m_cmbUnit->currentIndex());
    m_cmbSampleRate->setEnabled(unit == tactora::LengthUnit::Samples);
    const tactora::LengthTempoOutcome outcome =
        tactora::tempoFromLength(readOrNan(*m_txtLength), unit, m_cmbSampleRate->currentData().toDouble(),
                                 readOrNan(*m_txtBars), readOrNan(*m_txtBeatsPerBar));

    m_shownTempo.reset();
    QString message;
    switch (outcome.badInput) {
    case LengthInput::Length:
        message = m_txtLength->text().isEmpty() ? QStringLiteral("Type a length to see its tempo.")
                                                : refusal(QStringLiteral("The length"), *m_txtLength);
        break;
    case LengthInput::Bars:
        message = refusal(QStringLiteral("Bars"), *m_txtBars,
                          tactora::entryUpperLimit(tactora::Entry::Bars, tactora::TempoKind::None));
        break;
    case LengthInput::BeatsPerBar:
        message = refusal(QStringLiteral("Beats per bar"), *m_txtBeatsPerBar,
                          tactora::entryUpperLimit(tactora::Entry::Bars, tactora::TempoKind::None));
        break;
    case LengthInput::SampleRate:
    case LengthInput::Valid:
        break;
    }

    if (outcome.ok()) {
        m_shownTempo = outcome.tempo.bpm;
        showFigure(*m_lblBpm, toDisplayText(outcome.tempo.bpm) + QStringLiteral(" BPM"));
        showFigure(*m_lblHz, toDisplayText(outcome.tempo.rate) + QStringLiteral(" Hz"));
        showFigure(*m_lblBeat, toDisplayText(outcome.tempo.beatSeconds) + QStringLiteral(" s"));
    } else {
        const QString figure = outcome.fault != tactora::ArithFault::None ? outOfRangeMark() : QString();
        for (QLabel* label : {m_lblBpm, m_lblHz, m_lblBeat}) {
            showFigure(*label, figure);
        }
    }
    showFigure(*m_lblLengthMessage, message);
    m_cmdUse->setEnabled(m_shownTempo.has_value());
}

void FrmLength::showStretch() {
    const double source = readOrNan(*m_txtSource);
    // The main window's bars length at the source tempo: whole notes of 60 / tempo * 4 seconds.
    const double barsLength = 240.0 / source * m_mainBars;
    const tactora::StretchOutcome stretch =
        tactora::stretchTempo(source, readOrNan(*m_txtTarget), barsLength);
    const tactora::ShiftOutcome shift = tactora::shiftTempo(source, readOrNan(*m_txtSemitones));

    QString message;
    switch (stretch.badInput) {
    case StretchInput::Source:
        message = refusal(QStringLiteral("The source tempo"), *m_txtSource);
        break;
    case StretchInput::Target:
        message = refusal(QStringLiteral("The target tempo"), *m_txtTarget);
        break;
    case StretchInput::Length:
        message = QStringLiteral("The bars length at the source tempo is out of range.");
        break;
    case StretchInput::Semitones:
    case StretchInput::Valid:
        break;
    }
    // Any number of semitones will do; only a text that is none is refused.
    if (message.isEmpty() && shift.badInput == StretchInput::Semitones) {
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

void FrmLength::use() {
    if (!m_shownTempo) {
        return;
    }
    // The tempo as counted here: the main window's bar is a whole note whatever its beats per
    // bar, so with other than four to the bar its bars length for this tempo differs from the
    // length typed here.
    const double tempo = *m_shownTempo;
    // Gone before the main window checks the tempo, so that its message, if any, is not
    // hidden behind this window.
    close();
    emit tempoChosen(tempo);
}
