#include "ui/tools/practice_panel.h"

#include "ui/tools/form_rows.h"

#include "ui/paint/palette.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <array>

namespace {

const std::array<const char*, tactora::PracticePlan::maxSubdivisions> subdivisionNames = {
    "1 (beats only)",  "2 (eighths)",    "3 (triplets)",   "4 (sixteenths)",
    "5 (quintuplets)", "6 (sextuplets)", "7 (septuplets)", "8 (thirty-seconds)"};
const std::array<const char*, tactora::clickSoundCount> soundNames = {"Beep", "Wood block", "Soft tick",
                                                                      "Cowbell"};
// The highest target tempo offered; the player checks what it can play at its rate.
constexpr double maxTrainerTempo = 10000.0;

template <typename Enum> Enum chosen(const QComboBox& box) {
    return static_cast<Enum>(box.currentData().toInt());
}

} // namespace

PracticePanel::PracticePanel(QWidget& parent) : QWidget(&parent) {
    const tactora::PracticePlan defaults;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // A bare tab bar over a stack of pages, rather than a tab widget, whose framed pane would
    // hide the window's gradient behind the white captions.
    m_tabPages = new QTabBar(this);
    m_tabPages->setObjectName(QStringLiteral("tabPractice"));
    m_tabPages->setAccessibleName(QStringLiteral("Practice settings"));
    m_tabPages->setDrawBase(false);
    m_pages = new QStackedWidget(this);
    column->addWidget(m_tabPages);
    column->addWidget(m_pages);
    connect(m_tabPages, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);

    QWidget& beats = addPage(QStringLiteral("Beat&s"), QStringLiteral("Beats and sounds"));
    QWidget& countInPage = addPage(QStringLiteral("Count-&in"), QStringLiteral("Count-in and muted bars"));
    QWidget& trainerPage = addPage(QStringLiteral("Tempo &trainer"), QStringLiteral("Tempo trainer"));

    FormRows subdivisions(addGroup(beats, QStringLiteral("Subdivisions")));
    m_cmbSubdivisions =
        &subdivisions.addChoice(QStringLiteral("S&ubdivisions"), QStringLiteral("cmbSubdivisions"));
    for (int i = 0; i < tactora::PracticePlan::maxSubdivisions; ++i) {
        m_cmbSubdivisions->addItem(QString::fromLatin1(subdivisionNames[static_cast<std::size_t>(i)]), i + 1);
    }
    m_cmbSubdivisionSound = &addSoundChoice(subdivisions, QStringLiteral("Soun&d"),
                                            QStringLiteral("cmbSubdivisionSound"), defaults.subdivisionSound);
    m_sldSubdivisionLevel = new QSlider(Qt::Horizontal, this);
    m_sldSubdivisionLevel->setObjectName(QStringLiteral("sldSubdivisionLevel"));
    m_sldSubdivisionLevel->setRange(0, 100);
    m_sldSubdivisionLevel->setValue(static_cast<int>(defaults.subdivisionLevel * 100.0));
    subdivisions.addRow(QStringLiteral("&Level"), *m_sldSubdivisionLevel,
                        QStringLiteral("Subdivision level"));
    m_cmbSubdivisionSound->setAccessibleName(QStringLiteral("Subdivision sound"));

    FormRows countIn(addGroup(countInPage, QStringLiteral("Count-in")));
    m_spnCountIn = &addCount(countIn, QStringLiteral("&Count-in bars"), QStringLiteral("spnCountIn"), 0,
                             tactora::PracticePlan::maxCountInBars, defaults.countInBars);
    m_spnCountIn->setSpecialValueText(QStringLiteral("None"));
    m_cmbCountInSound = &addSoundChoice(countIn, QStringLiteral("S&ound"), QStringLiteral("cmbCountInSound"),
                                        defaults.countInSound);
    m_cmbCountInSound->setAccessibleName(QStringLiteral("Count-in sound"));

    FormRows muted(addGroup(countInPage, QStringLiteral("Muted bars")));
    m_spnPlayedBars = &addCount(muted, QStringLiteral("Pla&y bars"), QStringLiteral("spnPlayedBars"), 1, 64,
                                defaults.playedBars);
    m_spnMutedBars = &addCount(muted, QStringLiteral("then &mute bars"), QStringLiteral("spnMutedBars"), 0,
                               64, defaults.mutedBars);
    m_spnMutedBars->setSpecialValueText(QStringLiteral("Off"));

    FormRows trainer(addGroup(trainerPage, QStringLiteral("Tempo trainer")));
    m_cmbTrainer = &trainer.addChoice(QStringLiteral("C&hange"), QStringLiteral("cmbTrainer"),
                                      QStringLiteral("Tempo trainer"));
    m_cmbTrainer->addItem(QStringLiteral("Off"), static_cast<int>(tactora::TempoTrainer::Kind::Off));
    m_cmbTrainer->addItem(QStringLiteral("Steps"), static_cast<int>(tactora::TempoTrainer::Kind::Steps));
    m_cmbTrainer->addItem(QStringLiteral("Ramp"), static_cast<int>(tactora::TempoTrainer::Kind::Ramp));
    m_spnTargetTempo = &addTempo(trainer, QStringLiteral("Tar&get BPM"), QStringLiteral("spnTargetTempo"),
                                 1.0, defaults.trainer.targetBeatsPerMinute);
    m_spnTargetTempo->setAccessibleName(QStringLiteral("Target tempo in beats per minute"));
    m_spnTempoStep = &addTempo(trainer, QStringLiteral("St&ep BPM"), QStringLiteral("spnTempoStep"), 0.01,
                               defaults.trainer.stepBeatsPerMinute);
    m_spnTempoStep->setAccessibleName(QStringLiteral("Step in beats per minute"));
    m_spnTrainerBars = &addCount(trainer, QStringLiteral("Every ba&rs"), QStringLiteral("spnTrainerBars"), 1,
                                 1024, defaults.trainer.bars);
    m_lblTrainerBars = qobject_cast<QLabel*>(trainer.grid().itemAtPosition(3, 0)->widget());

    FormRows sounds(addGroup(beats, QStringLiteral("Sounds")));
    m_cmbAccentSound = &addSoundChoice(sounds, QStringLiteral("Acce&nt"), QStringLiteral("cmbAccentSound"),
                                       defaults.accentSound);
    m_cmbAccentSound->setAccessibleName(QStringLiteral("Accent sound"));
    m_cmbBeatSound =
        &addSoundChoice(sounds, QStringLiteral("&Beat"), QStringLiteral("cmbBeatSound"), defaults.beatSound);
    m_cmbBeatSound->setAccessibleName(QStringLiteral("Beat sound"));

    for (QComboBox* box : {m_cmbSubdivisions, m_cmbTrainer}) {
        connect(box, &QComboBox::currentIndexChanged, this, &PracticePanel::changed);
    }
    connect(m_sldSubdivisionLevel, &QSlider::valueChanged, this, &PracticePanel::changed);
    for (QSpinBox* box : {m_spnCountIn, m_spnPlayedBars, m_spnMutedBars, m_spnTrainerBars}) {
        connect(box, &QSpinBox::valueChanged, this, &PracticePanel::changed);
    }
    for (QDoubleSpinBox* box : {m_spnTargetTempo, m_spnTempoStep}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &PracticePanel::changed);
    }
    connect(this, &PracticePanel::changed, this, &PracticePanel::enableWhatApplies);
    enableWhatApplies();
}

QWidget& PracticePanel::addPage(const QString& title, const QString& accessibleName) {
    auto* page = new QWidget(m_pages);
    auto* groups = new QVBoxLayout(page);
    groups->setContentsMargins(0, 0, 0, 0);
    groups->addStretch();
    m_pages->addWidget(page);
    const int tab = m_tabPages->addTab(title);
    m_tabPages->setAccessibleTabName(tab, accessibleName);
    return *page;
}

QGroupBox& PracticePanel::addGroup(QWidget& page, const QString& title) {
    auto* group = new QGroupBox(title, &page);
    palette::setColour(*group, QPalette::WindowText, palette::white);
    auto* groups = static_cast<QVBoxLayout*>(page.layout());
    // Above the stretch, which keeps the groups at the top of a taller page.
    groups->insertWidget(groups->count() - 1, group);
    return *group;
}

QComboBox& PracticePanel::addSoundChoice(FormRows& rows, const QString& label, const QString& objectName,
                                         tactora::ClickSound sound) {
    QComboBox& box = rows.addChoice(label, objectName);
    for (int i = 0; i < tactora::clickSoundCount; ++i) {
        box.addItem(QString::fromLatin1(soundNames[static_cast<std::size_t>(i)]), i);
    }
    box.setCurrentIndex(static_cast<int>(sound));
    connect(&box, &QComboBox::currentIndexChanged, this, &PracticePanel::changed);
    return box;
}

QSpinBox& PracticePanel::addCount(FormRows& rows, const QString& label, const QString& objectName,
                                  int minimum, int maximum, int value) {
    auto* box = new QSpinBox(this);
    box->setObjectName(objectName);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->installEventFilter(this);
    rows.addRow(label, *box);
    return *box;
}

QDoubleSpinBox& PracticePanel::addTempo(FormRows& rows, const QString& label, const QString& objectName,
                                        double minimum, double value) {
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(objectName);
    box->setDecimals(2);
    box->setRange(minimum, maxTrainerTempo);
    box->setValue(value);
    box->installEventFilter(this);
    rows.addRow(label, *box);
    return *box;
}

// A number box would take Space as text it then refuses; it is left to the window, where it
// starts and stops the metronome wherever the focus is.
bool PracticePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A setting that changes nothing as things stand is greyed out, and Tab passes it by. Steps
// count the bars between two steps, a ramp the bars it takes to the target.
void PracticePanel::enableWhatApplies() {
    const bool subdivided = m_cmbSubdivisions->currentData().toInt() > 1;
    m_cmbSubdivisionSound->setEnabled(subdivided);
    m_sldSubdivisionLevel->setEnabled(subdivided);
    m_cmbCountInSound->setEnabled(m_spnCountIn->value() > 0);
    m_spnPlayedBars->setEnabled(m_spnMutedBars->value() > 0);
    const auto kind = chosen<tactora::TempoTrainer::Kind>(*m_cmbTrainer);
    const bool ramp = kind == tactora::TempoTrainer::Kind::Ramp;
    m_lblTrainerBars->setText(ramp ? QStringLiteral("Over ba&rs") : QStringLiteral("Every ba&rs"));
    m_spnTrainerBars->setAccessibleName(ramp ? QStringLiteral("Bars to reach the target")
                                             : QStringLiteral("Bars between steps"));
    m_spnTargetTempo->setEnabled(kind != tactora::TempoTrainer::Kind::Off);
    m_spnTempoStep->setEnabled(kind == tactora::TempoTrainer::Kind::Steps);
    m_spnTrainerBars->setEnabled(kind != tactora::TempoTrainer::Kind::Off);
}

void PracticePanel::fillPlan(tactora::PracticePlan& plan) const {
    plan.subdivisions = m_cmbSubdivisions->currentData().toInt();
    plan.subdivisionSound = chosen<tactora::ClickSound>(*m_cmbSubdivisionSound);
    plan.subdivisionLevel = m_sldSubdivisionLevel->value() / 100.0;
    plan.countInBars = m_spnCountIn->value();
    plan.countInSound = chosen<tactora::ClickSound>(*m_cmbCountInSound);
    plan.playedBars = m_spnPlayedBars->value();
    plan.mutedBars = m_spnMutedBars->value();
    plan.trainer.kind = chosen<tactora::TempoTrainer::Kind>(*m_cmbTrainer);
    plan.trainer.targetBeatsPerMinute = m_spnTargetTempo->value();
    plan.trainer.stepBeatsPerMinute = m_spnTempoStep->value();
    plan.trainer.bars = m_spnTrainerBars->value();
    plan.accentSound = chosen<tactora::ClickSound>(*m_cmbAccentSound);
    plan.beatSound = chosen<tactora::ClickSound>(*m_cmbBeatSound);
}
