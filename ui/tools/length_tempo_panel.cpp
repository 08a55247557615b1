#include "ui/tools/length_tempo_panel.h"

#include "ui/tools/entry_refusal.h"
#include "ui/tools/form_rows.h"
#include "ui/tools/out_of_range.h"
#include "ui/tools/tool_window_base.h"

#include "core/entry_rules.h"
#include "core/rounded_figure.h"
#include "core/tempo_from_length.h"
#include "ui/paint/palette.h"
#include "ui/shared/calc_outcome.h"
#include "ui/shared/number_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The figures change width as the user types; the window keeps one size, and its painted
// background with it, so each figure has room for fifteen significant digits from the start.
const QString widestFigure = QStringLiteral("-0.000123456789012345 semitones");

QString withUnit(const tactora::RoundedFigure& figure, const QString& unit) {
    return figure.fits() ? shownFigure(figure) + unit : outOfRangeMark();
}

} // namespace

LengthTempoPanel::LengthTempoPanel(QWidget& parent)
    : QGroupBox(QStringLiteral("Tempo from a length"), &parent), m_rows(std::make_unique<FormRows>(*this)) {
    setObjectName(QStringLiteral("grpTempo"));
    setAccessibleName(title());
    palette::setColour(*this, QPalette::WindowText, palette::white);

    m_txtLength = &m_rows->addEntry(QStringLiteral("&Length"), QStringLiteral("txtLength"));
    m_cmbUnit = &m_rows->addChoice(QStringLiteral("&Unit"), QStringLiteral("cmbUnit"));
    // In the order of tactora::LengthUnit.
    m_cmbUnit->addItems(
        {QStringLiteral("Seconds"), QStringLiteral("Milliseconds"), QStringLiteral("Samples")});
    m_cmbSampleRate = &m_rows->addChoice(QStringLiteral("Sample &rate"), QStringLiteral("cmbSampleRate"));
    addSampleRates(*m_cmbSampleRate);
    m_txtBars = &m_rows->addEntry(QStringLiteral("&Bars"), QStringLiteral("txtBars"));
    m_txtBeatsPerBar = &m_rows->addEntry(QStringLiteral("Beats &per bar"), QStringLiteral("txtBeatsPerBar"));
    m_lblBpm = &m_rows->addFigure(QStringLiteral("Tempo"), QStringLiteral("lblBpm"));
    m_lblHz = &m_rows->addFigure(QStringLiteral("Beats per second"), QStringLiteral("lblHz"));
    m_lblBeat = &m_rows->addFigure(QStringLiteral("One beat"), QStringLiteral("lblBeat"));
    m_lblLengthMessage = &m_rows->addMessage(QStringLiteral("lblLengthMessage"));
    m_lblBpm->setMinimumWidth(fontMetrics().horizontalAdvance(widestFigure));

    for (QLineEdit* entry : {m_txtLength, m_txtBars, m_txtBeatsPerBar}) {
        connect(entry, &QLineEdit::textChanged, this, &LengthTempoPanel::showTempo);
    }
    connect(m_cmbUnit, &QComboBox::currentIndexChanged, this, &LengthTempoPanel::showTempo);
    connect(m_cmbSampleRate, &QComboBox::currentIndexChanged, this, &LengthTempoPanel::showTempo);
    showTempo();
}

LengthTempoPanel::~LengthTempoPanel() = default;

void LengthTempoPanel::fill(const CalcOutcome& outcome) {
    fillUntyped(*m_txtBars, outcome.bars);
    fillUntyped(*m_txtBeatsPerBar, outcome.beatsPerBar);
}

void LengthTempoPanel::focusLength() {
    m_txtLength->setFocus();
}

void LengthTempoPanel::addButton(QPushButton& button) {
    m_rows->addWide(button, Qt::AlignRight);
}

void LengthTempoPanel::showTempo() {
    const auto unit = static_cast<tactora::LengthUnit>(m_cmbUnit->currentIndex());
    m_cmbSampleRate->setEnabled(unit == tactora::LengthUnit::Samples);
    const tactora::LengthTempoOutcome outcome =
        tactora::tempoFromLength(readOrNan(*m_txtLength), unit, m_cmbSampleRate->currentData().toDouble(),
                                 readOrNan(*m_txtBars), readOrNan(*m_txtBeatsPerBar));

    const double countLimit = *tactora::entryUpperLimit(tactora::Entry::Bars, tactora::TempoKind::None);
    QString message;
    switch (outcome.badInput) {
    case tactora::LengthInput::Length:
        message = m_txtLength->text().isEmpty() ? QStringLiteral("Type a length to see its tempo.")
                                                : refusal(QStringLiteral("The length"), *m_txtLength);
        break;
    case tactora::LengthInput::Bars:
        message = refusal(QStringLiteral("Bars"), *m_txtBars, countLimit);
        break;
    case tactora::LengthInput::BeatsPerBar:
        message = refusal(QStringLiteral("Beats per bar"), *m_txtBeatsPerBar, countLimit);
        break;
    case tactora::LengthInput::SampleRate:
    case tactora::LengthInput::Valid:
        break;
    }

    std::optional<double> tempo;
    if (outcome.ok()) {
        // Each figure fits the double range or not on its own: a tempo too large to use can
        // still have a beat length to show.
        tempo = outcome.tempo.bpm.value();
        showFigure(*m_lblBpm, withUnit(outcome.tempo.bpm, QStringLiteral(" BPM")));
        showFigure(*m_lblHz, withUnit(outcome.tempo.rate, QStringLiteral(" Hz")));
        showFigure(*m_lblBeat, withUnit(outcome.tempo.beatSeconds, QStringLiteral(" s")));
    } else {
        for (QLabel* label : {m_lblBpm, m_lblHz, m_lblBeat}) {
            showFigure(*label, QString());
        }
    }
    showFigure(*m_lblLengthMessage, message);
    emit tempoShown(tempo);
}
