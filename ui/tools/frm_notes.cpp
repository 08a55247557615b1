#include "ui/tools/frm_notes.h"

#include "ui/tools/form_rows.h"
#include "ui/tools/note_table.h"
#include "ui/tools/out_of_range.h"

#include "core/note_values.h"
#include "ui/shared/calc_outcome.h"
#include "ui/shared/number_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>

#include <array>

namespace {

using tactora::NoteFeel;
using tactora::NoteValue;

const std::array<QString, tactora::noteValueCount> rowHeadings = {
    QStringLiteral("Whole (1/1)"),        QStringLiteral("Half (1/2)"),
    QStringLiteral("Quarter (1/4)"),      QStringLiteral("Eighth (1/8)"),
    QStringLiteral("Sixteenth (1/16)"),   QStringLiteral("Thirty-second (1/32)"),
    QStringLiteral("Sixty-fourth (1/64)")};

const std::array<QString, tactora::noteFeelCount> columnHeadings = {
    QStringLiteral("Straight"), QStringLiteral("Dotted"), QStringLiteral("Triplet"),
    QStringLiteral("Quintuplet")};

// The beat choices, in the order of NoteBeat; the lower case is for the sentence above the
// table.
const std::array<QString, tactora::noteBeatCount> beatChoices = {
    QStringLiteral("Quarter"), QStringLiteral("Dotted quarter"), QStringLiteral("Half"),
    QStringLiteral("Eighth")};

// A note of the table in words, with its article: "an eighth note", "a quarter-note triplet".
QString noteName(const tactora::NoteName& note) {
    static const std::array<QString, tactora::noteValueCount> values = {
        QStringLiteral("whole"),       QStringLiteral("half"),      QStringLiteral("quarter"),
        QStringLiteral("eighth"),      QStringLiteral("sixteenth"), QStringLiteral("thirty-second"),
        QStringLiteral("sixty-fourth")};
    const QString& value = values[static_cast<std::size_t>(note.value)];
    QString name;
    switch (note.feel) {
    case tactora::NoteFeel::Dotted:
        name = QStringLiteral("dotted %1 note").arg(value);
        break;
    case tactora::NoteFeel::Triplet:
        name = QStringLiteral("%1-note triplet").arg(value);
        break;
    case tactora::NoteFeel::Quintuplet:
        name = QStringLiteral("%1-note quintuplet").arg(value);
        break;
    case tactora::NoteFeel::Straight:
        name = QStringLiteral("%1 note").arg(value);
        break;
    }
    return (name.startsWith(QLatin1Char('e')) ? QStringLiteral("an ") : QStringLiteral("a ")) + name;
}

// The longest text a cell can hold: fifteen significant digits with a sign and a three-digit
// exponent. Every column is that wide, so that no figure is ever wrapped or cut, the rows
// keep their height and the window never has to change its size, nor its painted background.
const QString widestCell = QStringLiteral("-1.06666666666667E+308");

} // namespace

FrmNotes::FrmNotes(QWidget& owner)
    : ToolWindow(owner, QStringLiteral("FrmNotes"), QStringLiteral("Note values")) {

    m_lblBeat = whiteLabel(QString(), *this);
    m_lblBeat->setObjectName(QStringLiteral("lblBeat"));
    m_lblBeat->setWordWrap(true);

    auto* lblFigure = whiteLabel(QStringLiteral("&Show"), *this);
    m_cmbFigure = new QComboBox(this);
    m_cmbFigure->setObjectName(QStringLiteral("cmbFigure"));
    m_cmbFigure->setAccessibleName(QStringLiteral("Show"));
    lblFigure->setBuddy(m_cmbFigure);

    auto* lblSampleRate = whiteLabel(QStringLiteral("Sample &rate"), *this);
    m_cmbSampleRate = new QComboBox(this);
    m_cmbSampleRate->setObjectName(QStringLiteral("cmbSampleRate"));
    m_cmbSampleRate->setAccessibleName(QStringLiteral("Sample rate"));
    addSampleRates(*m_cmbSampleRate);
    lblSampleRate->setBuddy(m_cmbSampleRate);

    auto* lblBeatChoice = whiteLabel(QStringLiteral("The &beat is a"), *this);
    m_cmbBeat = new QComboBox(this);
    m_cmbBeat->setObjectName(QStringLiteral("cmbBeat"));
    m_cmbBeat->setAccessibleName(QStringLiteral("The beat is a"));
    for (const QString& choice : beatChoices) {
        m_cmbBeat->addItem(choice);
    }
    lblBeatChoice->setBuddy(m_cmbBeat);

    m_table = new NoteTable(tactora::noteValueCount, tactora::noteFeelCount, this);
    m_table->setObjectName(QStringLiteral("tblNotes"));
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideNone);
    m_table->setAccessibleName(QStringLiteral("Note values table"));
    for (int row = 0; row < tactora::noteValueCount; ++row) {
        m_table->setVerticalHeaderItem(row, new QTableWidgetItem(rowHeadings[row]));
    }
    for (int column = 0; column < tactora::noteFeelCount; ++column) {
        m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(columnHeadings[column]));
        m_table->setColumnWidth(column, fontMetrics().horizontalAdvance(widestCell) + 12);
        for (int row = 0; row < tactora::noteValueCount; ++row) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, cell);
        }
    }
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setCurrentCell(2, 0);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_lblBeat, 0, 0, 1, 6);
    grid->addWidget(lblBeatChoice, 1, 0);
    grid->addWidget(m_cmbBeat, 1, 1);
    grid->addWidget(lblFigure, 1, 2);
    grid->addWidget(m_cmbFigure, 1, 3);
    grid->addWidget(lblSampleRate, 1, 4);
    grid->addWidget(m_cmbSampleRate, 1, 5);
    grid->addWidget(m_table, 2, 0, 1, 6);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);

    fillFigureChoices();
    connect(m_cmbBeat, &QComboBox::currentIndexChanged, this, &FrmNotes::showBeat);
    connect(m_cmbFigure, &QComboBox::currentIndexChanged, this, &FrmNotes::fillTable);
    connect(m_cmbSampleRate, &QComboBox::currentIndexChanged, this, &FrmNotes::fillTable);
    setTabOrder(m_cmbBeat, m_cmbFigure);
    setTabOrder(m_cmbFigure, m_cmbSampleRate);
    setTabOrder(m_cmbSampleRate, m_table);

    m_outcome.reason = QStringLiteral("the main window has not calculated yet.");
    showNoResults();

    // The table shows every row and column without scrolling; the window is sized to it
    // once and keeps that size, so its gradient is painted once.
    m_table->resizeRowsToContents();
    m_table->setFixedSize(m_table->verticalHeader()->sizeHint().width() +
                              m_table->horizontalHeader()->length() + 2 * m_table->frameWidth(),
                          m_table->horizontalHeader()->sizeHint().height() +
                              m_table->verticalHeader()->length() + 2 * m_table->frameWidth());
    m_lblBeat->setMinimumHeight(3 * fontMetrics().lineSpacing());
    fixSizeAndPaint();
}

void FrmNotes::showOutcome(const CalcOutcome& outcome) {
    if (outcome.kind == CalcOutcome::Kind::None) {
        return;
    }
    m_outcome = outcome;
    if (m_outcome.resultsShown) {
        fillFigureChoices();
        showBeat();
    } else {
        showNoResults();
    }
}

void FrmNotes::showBeat() {
    if (!m_outcome.resultsShown) {
        fillTable();
        return;
    }
    const QString note = beatChoices[m_cmbBeat->currentIndex()].toLower();
    const QString article = note.startsWith(QLatin1Char('e')) ? QStringLiteral("An") : QStringLiteral("A");
    const QString beat = m_outcome.tempoKind == tactora::TempoKind::CyclesPerSecond
                             ? QStringLiteral("%1 %2 note is one beat, one cycle of %3 cycles per second.")
                             : QStringLiteral("%1 %2 note is one beat of %3 beats per minute.");
    QString text = beat.arg(article, note, toDisplayText(m_outcome.tempo)) + mainBeatSentence();
    // After a failed recalculation the main window keeps showing its earlier results, and
    // the outcome their figures: the table goes on showing what belongs to them, and says why.
    if (m_outcome.kind == CalcOutcome::Kind::Failure) {
        text += QStringLiteral(" The main window kept these results: %1").arg(m_outcome.reason);
    }
    m_lblBeat->setText(text);
    m_lblBeat->setAccessibleName(m_lblBeat->text());
    fillTable();
}

// The main window divides its bars by bars x beats per bar, so its one beat length is often
// another note than the beat here; said whenever the two differ, so that the windows never
// seem to disagree.
QString FrmNotes::mainBeatSentence() const {
    const auto beat = static_cast<tactora::NoteBeat>(m_cmbBeat->currentIndex());
    const std::optional<tactora::NoteName> note =
        tactora::mainBeatNote(m_outcome.tempoKind, m_outcome.bars, m_outcome.beatsPerBar, beat);
    if (note && *note == tactora::beatNote(beat)) {
        return {};
    }
    const QString length = QStringLiteral("%1 %2").arg(toDisplayText(m_outcome.results.beatLength),
                                                       m_outcome.unitFactor == 1000.0 ? QStringLiteral("ms")
                                                                                      : QStringLiteral("s"));
    if (!note) {
        return QStringLiteral(" The main window's one beat length, %1, is none of these notes.").arg(length);
    }
    return QStringLiteral(" The main window's one beat length, %1, is %2.").arg(length, noteName(*note));
}

void FrmNotes::showNoResults() {
    m_lblBeat->setText(QStringLiteral("No note values: %1").arg(m_outcome.reason));
    m_lblBeat->setAccessibleName(m_lblBeat->text());
    fillTable();
}

void FrmNotes::open() {
    present();
    m_table->setFocus();
}

// The length choice names the main window's unit, which can change under it.
void FrmNotes::fillFigureChoices() {
    const QString length = m_outcome.unitFactor == 1000.0 ? QStringLiteral("Length in milliseconds")
                                                          : QStringLiteral("Length in seconds");
    const QSignalBlocker quiet(m_cmbFigure);
    const int chosen = m_cmbFigure->currentIndex();
    m_cmbFigure->clear();
    m_cmbFigure->addItems({length, QStringLiteral("Rate in Hz"), QStringLiteral("Samples")});
    m_cmbFigure->setCurrentIndex(chosen < 0 ? 0 : chosen);
}

FrmNotes::Figure FrmNotes::figure() const {
    return static_cast<Figure>(m_cmbFigure->currentIndex());
}

double FrmNotes::sampleRate() const {
    return m_cmbSampleRate->currentData().toDouble();
}

void FrmNotes::fillTable() {
    m_cmbSampleRate->setEnabled(figure() == Figure::Samples);
    m_table->setCornerText(cornerText());
    for (int row = 0; row < tactora::noteValueCount; ++row) {
        for (int column = 0; column < tactora::noteFeelCount; ++column) {
            m_table->item(row, column)->setText(m_outcome.resultsShown ? cellText(row, column) : QString());
        }
    }
}

QString FrmNotes::cellText(int row, int column) const {
    const std::optional<tactora::NoteCell> cell = tactora::noteCell(
        m_outcome.tempo, m_outcome.tempoKind, static_cast<tactora::NoteBeat>(m_cmbBeat->currentIndex()),
        static_cast<NoteValue>(row), static_cast<NoteFeel>(column));
    if (!cell) {
        return outOfRangeMark();
    }
    std::optional<std::string> text;
    switch (figure()) {
    case Figure::Rate:
        text = cell->rateText(decimalSeparator());
        break;
    case Figure::Samples: {
        const std::optional<std::int32_t> samples = cell->samples(sampleRate());
        return samples ? toDisplayText(*samples) : outOfRangeMark();
    }
    case Figure::Length:
        text = cell->lengthText(m_outcome.unitFactor, decimalSeparator());
        break;
    }
    return text ? QString::fromStdString(*text) : outOfRangeMark();
}

QString FrmNotes::cornerText() const {
    switch (figure()) {
    case Figure::Rate:
        return QStringLiteral("Hz");
    case Figure::Samples:
        return QStringLiteral("Samples at %1").arg(m_cmbSampleRate->currentText());
    case Figure::Length:
        break;
    }
    return m_outcome.unitFactor == 1000.0 ? QStringLiteral("Milliseconds") : QStringLiteral("Seconds");
}
