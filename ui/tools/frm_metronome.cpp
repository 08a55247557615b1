#include "ui/tools/frm_metronome.h"

#include "core/click_track.h"
#include "ui/paint/palette.h"
#include "ui/shared/number_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>

namespace {

constexpr int defaultVolume = 80;

QString barsText(double bars) {
    return bars == 1.0 ? QStringLiteral("1 bar") : QStringLiteral("%1 bars").arg(toDisplayText(bars));
}

} // namespace

FrmMetronome::FrmMetronome(QWidget& owner)
    : ToolWindow(owner, QStringLiteral("FrmMetronome"), QStringLiteral("Metronome")) {
    m_lblPlays = whiteLabel(QString(), *this);
    m_lblPlays->setObjectName(QStringLiteral("lblPlays"));
    QFont bold = font();
    bold.setBold(true);
    m_lblPlays->setFont(bold);
    m_lblPlays->setWordWrap(true);
    // Room for two lines of the longest usual text, so that the window keeps its size.
    m_lblPlays->setMinimumSize(
        QFontMetrics(bold).horizontalAdvance(QStringLiteral("333.33 beats per minute, 3.5 beats per bar")),
        2 * QFontMetrics(bold).lineSpacing());

    m_cmdStart = new QPushButton(QStringLiteral("Start"), this);
    m_cmdStart->setObjectName(QStringLiteral("cmdStart"));
    m_cmdStart->setMinimumSize(240, 60);
    connect(m_cmdStart, &QPushButton::clicked, this, &FrmMetronome::startOrStop);
    // Space starts and stops wherever the focus is in the window, the check box included,
    // which keeps its mnemonic.
    new QShortcut(Qt::Key_Space, this, this, &FrmMetronome::startOrStop);

    auto* lblVolume = whiteLabel(QStringLiteral("&Volume"), *this);
    m_sldVolume = new QSlider(Qt::Horizontal, this);
    m_sldVolume->setObjectName(QStringLiteral("sldVolume"));
    m_sldVolume->setAccessibleName(QStringLiteral("Volume"));
    m_sldVolume->setRange(0, 100);
    m_sldVolume->setValue(defaultVolume);
    lblVolume->setBuddy(m_sldVolume);
    connect(m_sldVolume, &QSlider::valueChanged, this, &FrmMetronome::sendSettings);

    m_chkStopAfterBars = new QCheckBox(this);
    m_chkStopAfterBars->setObjectName(QStringLiteral("chkStopAfterBars"));
    palette::setColour(*m_chkStopAfterBars, QPalette::WindowText, palette::white);
    connect(m_chkStopAfterBars, &QCheckBox::toggled, this, &FrmMetronome::sendSettings);

    m_lblStatus = whiteLabel(QString(), *this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lblStatus->setWordWrap(true);
    m_lblStatus->setMinimumHeight(2 * fontMetrics().lineSpacing());

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_lblPlays, 0, 0, 1, 2);
    grid->addWidget(m_cmdStart, 1, 0, 1, 2);
    grid->addWidget(lblVolume, 2, 0);
    grid->addWidget(m_sldVolume, 2, 1);
    grid->addWidget(m_chkStopAfterBars, 3, 0, 1, 2);
    grid->addWidget(m_lblStatus, 4, 0, 1, 2);
    setTabOrder(m_cmdStart, m_sldVolume);
    setTabOrder(m_sldVolume, m_chkStopAfterBars);

    showState();
    fixSizeAndPaint();
}

FrmMetronome::~FrmMetronome() = default;

void FrmMetronome::open(const CalcOutcome& outcome) {
    findDevice();
    follow(outcome);
    present();
    m_cmdStart->setFocus();
}

void FrmMetronome::follow(const CalcOutcome& outcome) {
    m_cannotPlay.clear();
    if (!outcome.resultsShown) {
        m_beatsPerMinute.reset();
        m_cannotPlay = QStringLiteral("The main window shows no results to play.");
    } else {
        m_beatsPerMinute =
            outcome.tempoKind == tactora::TempoKind::CyclesPerSecond ? outcome.tempo * 60.0 : outcome.tempo;
        m_beatsPerBar = outcome.beatsPerBar;
        m_bars = outcome.bars;
        m_tempoKind = outcome.tempoKind;
        m_tempo = outcome.tempo;
        // Checked at the device's rate once there is one, at the commonest until then.
        const int rate = m_player && m_player->sampleRate() > 0 ? m_player->sampleRate() : 48000;
        if (!tactora::isPlayableBarLength(m_beatsPerBar)) {
            m_cannotPlay = QStringLiteral("A bar of fewer than one beat cannot be played.");
        } else if (!tactora::isPlayableTempo(rate, *m_beatsPerMinute)) {
            m_cannotPlay =
                60.0 * rate / *m_beatsPerMinute < 1.0
                    ? QStringLiteral("Too fast to play: a beat would be shorter than one sample.")
                    : QStringLiteral("Too slow to play: a beat would last more than 2^40 samples.");
        }
    }
    if (!m_cannotPlay.isEmpty()) {
        stop();
    } else {
        sendSettings();
    }
    showState();
}

void FrmMetronome::closeEvent(QCloseEvent* event) {
    stop();
    showState();
    ToolWindow::closeEvent(event);
}

void FrmMetronome::startOrStop() {
    if (m_player && m_player->isPlaying()) {
        stop();
    } else {
        start();
    }
    showState();
}

// The device is looked for at every start: one may have been plugged in, or gone.
bool FrmMetronome::findDevice() {
    if (!m_player) {
        QString error;
        ClickPlayerFactory* factory = clickPlayerFactory(&error);
        if (factory == nullptr) {
            m_audioProblem = QStringLiteral("The metronome's sound could not be loaded: %1").arg(error);
            return false;
        }
        m_player = factory->createPlayer();
        m_player->setEndHandler([this](ClickPlayerEnd end) { ended(end); });
    }
    m_deviceName = m_player->deviceName();
    m_audioProblem = m_deviceName.isEmpty()
                         ? QStringLiteral("No audio output device was found: the metronome cannot sound.")
                         : QString();
    return m_audioProblem.isEmpty();
}

void FrmMetronome::start() {
    m_ending.clear();
    if (!m_cannotPlay.isEmpty() || !findDevice()) {
        return;
    }
    if (!m_player->start(settings())) {
        m_audioProblem = QStringLiteral("The audio device %1 refused to play.").arg(m_deviceName);
    }
}

void FrmMetronome::stop() {
    if (m_player) {
        m_player->stop();
    }
}

void FrmMetronome::ended(ClickPlayerEnd end) {
    m_ending = end == ClickPlayerEnd::Finished
                   ? QStringLiteral("Played %1.").arg(barsText(m_bars))
                   : QStringLiteral("The audio device %1 stopped playing.").arg(m_deviceName);
    showState();
}

void FrmMetronome::sendSettings() {
    if (m_player && m_player->isPlaying() && m_beatsPerMinute) {
        m_player->change(settings());
    }
}

ClickSettings FrmMetronome::settings() const {
    ClickSettings settings;
    settings.beatsPerMinute = m_beatsPerMinute.value_or(0.0);
    settings.beatsPerBar = m_beatsPerBar;
    settings.stopAfterBars = m_chkStopAfterBars->isChecked() ? m_bars : 0.0;
    settings.volume = m_sldVolume->value() / 100.0;
    return settings;
}

void FrmMetronome::showState() {
    if (m_beatsPerMinute) {
        const QString bar = QStringLiteral("%1 beats per bar").arg(toDisplayText(m_beatsPerBar));
        m_lblPlays->setText(
            m_tempoKind == tactora::TempoKind::CyclesPerSecond
                ? QStringLiteral("%1 cycles per second, a beat a cycle, %2").arg(toDisplayText(m_tempo), bar)
                : QStringLiteral("%1 beats per minute, %2").arg(toDisplayText(m_tempo), bar));
    } else {
        m_lblPlays->setText(QStringLiteral("Nothing to play"));
    }
    m_lblPlays->setAccessibleName(m_lblPlays->text());

    const bool playing = m_player && m_player->isPlaying();
    m_cmdStart->setText(playing ? QStringLiteral("Stop") : QStringLiteral("Start"));
    m_cmdStart->setAccessibleName(m_cmdStart->text());
    // Without a device it stays enabled: pressing it looks for one again.
    m_cmdStart->setEnabled(playing || m_cannotPlay.isEmpty());

    m_chkStopAfterBars->setText(QStringLiteral("Stop &after %1").arg(barsText(m_bars)));
    m_chkStopAfterBars->setAccessibleName(QStringLiteral("Stop after %1").arg(barsText(m_bars)));

    QString status;
    if (!m_cannotPlay.isEmpty()) {
        status = m_cannotPlay;
    } else if (!m_audioProblem.isEmpty()) {
        status = m_audioProblem;
    } else if (!m_ending.isEmpty()) {
        status = m_ending;
    } else if (playing) {
        status = QStringLiteral("Playing through %1 at %2 Hz.")
                     .arg(m_deviceName, QLocale().toString(m_player->sampleRate()));
    }
    m_lblStatus->setText(status);
    m_lblStatus->setAccessibleName(status);
}
