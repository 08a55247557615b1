#include "ui/tools/frm_metronome.h"

#include "ui/tools/beat_flash.h"
#include "ui/tools/beat_lamps.h"
#include "ui/tools/click_export_dialog.h"
#include "ui/tools/click_export_job.h"
#include "ui/tools/form_rows.h"
#include "ui/tools/practice_panel.h"

#include "core/click_track.h"
#include "core/practice_grid.h"
#include "ui/paint/palette.h"
#include "ui/shared/dialogs.h"
#include "ui/shared/number_text.h"
#include "ui/shared/tool_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>

#include <cmath>

namespace {

constexpr int defaultVolume = 80;
// About a display's frame: the lamps light within one frame of the beat being heard.
constexpr int beatPollMilliseconds = 16;

QString barsText(double bars) {
    return bars == 1.0 ? QStringLiteral("1 bar") : QStringLiteral("%1 bars").arg(toDisplayText(bars));
}

} // namespace

FrmMetronome::FrmMetronome(QWidget& owner, Dialogs& dialogs)
    : ToolWindow(owner, QStringLiteral("FrmMetronome"), QStringLiteral("Metronome")), m_dialogs(dialogs) {
    auto* left = new QWidget(this);
    m_lblPlays = whiteLabel(QString(), *left);
    m_lblPlays->setObjectName(QStringLiteral("lblPlays"));
    QFont bold = font();
    bold.setBold(true);
    m_lblPlays->setFont(bold);
    m_lblPlays->setWordWrap(true);
    // Room for two lines of the longest usual text, so that the window keeps its size.
    m_lblPlays->setMinimumSize(
        QFontMetrics(bold).horizontalAdvance(QStringLiteral("333.33 beats per minute, 3.5 beats per bar")),
        2 * QFontMetrics(bold).lineSpacing());

    m_cmdStart = new QPushButton(QStringLiteral("Start"), left);
    m_cmdStart->setObjectName(QStringLiteral("cmdStart"));
    m_cmdStart->setMinimumSize(240, 60);
    connect(m_cmdStart, &QPushButton::clicked, this, &FrmMetronome::startOrStop);
    // Space starts and stops wherever the focus is in the window, the check box and the lamps
    // included, which keep their mnemonics and arrow keys.
    // A held Space is one press, as in the tap window: its repeats do nothing.
    auto* space = new QShortcut(Qt::Key_Space, this, this, &FrmMetronome::startOrStop);
    space->setAutoRepeat(false);

    m_lamps = new BeatLamps(*left);
    connect(m_lamps, &BeatLamps::levelsChanged, this, &FrmMetronome::sendSettings);
    m_lblPattern = whiteLabel(QString(), *left);
    m_lblPattern->setObjectName(QStringLiteral("lblPattern"));
    m_lblNow = whiteLabel(QString(), *left);
    m_lblNow->setObjectName(QStringLiteral("lblNow"));
    m_lblNow->setFont(bold);

    m_sldVolume = new QSlider(Qt::Horizontal, left);
    m_sldVolume->setObjectName(QStringLiteral("sldVolume"));
    m_sldVolume->setRange(0, 100);
    m_sldVolume->setValue(defaultVolume);
    connect(m_sldVolume, &QSlider::valueChanged, this, &FrmMetronome::sendSettings);

    m_chkStopAfterBars = new QCheckBox(left);
    m_chkStopAfterBars->setObjectName(QStringLiteral("chkStopAfterBars"));
    palette::setColour(*m_chkStopAfterBars, QPalette::WindowText, palette::white);
    connect(m_chkStopAfterBars, &QCheckBox::toggled, this, &FrmMetronome::sendSettings);

    m_chkLargeFlash = new QCheckBox(QStringLiteral("Large &flash"), left);
    m_chkLargeFlash->setObjectName(QStringLiteral("chkLargeFlash"));
    m_chkLargeFlash->setAccessibleName(QStringLiteral("Large flash"));
    palette::setColour(*m_chkLargeFlash, QPalette::WindowText, palette::white);
    connect(m_chkLargeFlash, &QCheckBox::toggled, this, &FrmMetronome::showLargeFlash);

    m_cmdExport = new QPushButton(QStringLiteral("E&xport…"), left);
    m_cmdExport->setObjectName(QStringLiteral("cmdExport"));
    m_cmdExport->setAccessibleName(QStringLiteral("Export the click track"));
    connect(m_cmdExport, &QPushButton::clicked, this, &FrmMetronome::exportClickTrack);

    FormRows rows(*left);
    rows.grid().setContentsMargins(0, 0, 0, 0);
    rows.addWide(*m_lblPlays);
    rows.addWide(*m_cmdStart);
    // The lamps take the column's whole width, their caption above them.
    QLabel* pattern = whiteLabel(QStringLiteral("Beat &pattern"), *left);
    pattern->setBuddy(m_lamps);
    rows.addWide(*pattern);
    rows.addWide(*m_lamps);
    rows.addWide(*m_lblPattern);
    rows.addWide(*m_lblNow);
    rows.addRow(QStringLiteral("&Volume"), *m_sldVolume);
    rows.addWide(*m_chkStopAfterBars);
    rows.addWide(*m_chkLargeFlash);
    rows.addWide(*m_cmdExport, Qt::AlignLeft);
    m_lblExported = &rows.addMessage(QStringLiteral("lblExported"));
    m_lblStatus = &rows.addMessage(QStringLiteral("lblStatus"));

    m_practice = new PracticePanel(*this);
    connect(m_practice, &PracticePanel::changed, this, &FrmMetronome::applySettings);
    // The large flash takes the practice settings' place while it is on: whoever needs it is
    // playing, not setting, and the window keeps its size.
    m_flash = new BeatFlash(*this);
    m_flash->hide();

    // One column, narrow enough to stand beside the main window on a small screen.
    auto* layout = new QGridLayout(this);
    layout->setVerticalSpacing(2 * layout->verticalSpacing());
    layout->addWidget(left, 0, 0, Qt::AlignTop);
    layout->addWidget(m_practice, 1, 0);
    layout->addWidget(m_flash, 1, 0);

    m_beatPoll.setInterval(beatPollMilliseconds);
    connect(&m_beatPoll, &QTimer::timeout, this, &FrmMetronome::showBeatHeard);

    showState();
    fixSizeAndPaint();
}

FrmMetronome::~FrmMetronome() = default;

void FrmMetronome::open(const CalcOutcome& outcome) {
    openOutput();
    follow(outcome);
    present();
    m_cmdStart->setFocus();
}

void FrmMetronome::follow(const CalcOutcome& outcome) {
    m_outcome = outcome;
    applySettings();
}

// A tempo, bar or trainer that cannot be played stops the playing, and the window says why.
void FrmMetronome::applySettings() {
    if (m_outcome.resultsShown) {
        m_lamps->setBeatsPerBar(m_outcome.beatsPerBar);
    }
    if (!cannotPlay().isEmpty()) {
        stop();
    } else {
        sendSettings();
    }
    showState();
}

QString FrmMetronome::cannotPlay() const {
    if (!m_outcome.resultsShown) {
        return QStringLiteral("The main window shows no results to play.");
    }
    if (!tactora::isPlayableBarLength(m_outcome.beatsPerBar)) {
        return QStringLiteral("A bar of fewer than one beat cannot be played.");
    }
    // Checked at the device's rate once there is one, at the commonest until then.
    const int rate = m_player && m_player->sampleRate() > 0 ? m_player->sampleRate() : 48000;
    const double beatsPerMinute = m_outcome.beatsPerMinute();
    if (!tactora::isPlayableTempo(rate, beatsPerMinute)) {
        return 60.0 * rate / beatsPerMinute < 1.0
                   ? QStringLiteral("Too fast to play: a beat would be shorter than one sample.")
                   : QStringLiteral("Too slow to play: a beat would last more than 2^40 samples.");
    }
    // The other settings are kept in range by their controls: what is left is the trainer's.
    const tactora::PracticePlan plan = settings().plan;
    if (!tactora::isValidPlan(plan, rate)) {
        return QStringLiteral("The tempo trainer's target is too fast or too slow to play at %1 Hz.")
            .arg(QLocale().toString(rate));
    }
    if (!tactora::trainerReachesTarget(plan.trainer, beatsPerMinute)) {
        return QStringLiteral("The tempo trainer would take more than 100,000 steps to reach its target: "
                              "take larger steps.");
    }
    return {};
}

void FrmMetronome::closeEvent(QCloseEvent* event) {
    stop();
    if (m_player) {
        m_player->closeOutput();
    }
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

void FrmMetronome::openOutput() {
    if (!m_player) {
        QString error;
        ClickPlayerFactory* factory = clickPlayerFactory(&error);
        if (factory == nullptr) {
            m_loadProblem = QStringLiteral("The metronome's sound could not be loaded: %1").arg(error);
            return;
        }
        m_player = factory->createPlayer();
        m_player->setEndHandler([this](ClickPlayerEnd end) { ended(end); });
        // A device that comes or goes, a server that restarts: the window says so at once,
        // and the tempo is checked again at the device's rate.
        m_player->setOutputHandler([this] { applySettings(); });
    }
    m_player->openOutput();
}

// A Start pressed while there is no output changes nothing, and the window goes on saying
// how the last playing ended.
void FrmMetronome::start() {
    if (!cannotPlay().isEmpty() || !m_player || m_player->output() != ClickOutput::Ready) {
        return;
    }
    m_ending.clear();
    if (!m_player->start(settings())) {
        m_ending = QStringLiteral("The audio device %1 refused to play.").arg(m_player->deviceName());
        return;
    }
    m_beatPoll.start();
}

void FrmMetronome::stop() {
    if (m_player) {
        m_player->stop();
    }
    m_beatPoll.stop();
    showBeatHeard();
}

void FrmMetronome::ended(ClickPlayerEnd end) {
    m_beatPoll.stop();
    showBeatHeard();
    switch (end) {
    case ClickPlayerEnd::Finished:
        m_ending = QStringLiteral("Played %1.").arg(barsText(m_outcome.bars));
        break;
    case ClickPlayerEnd::DeviceLost:
        m_ending = QStringLiteral("The audio device went away.");
        break;
    case ClickPlayerEnd::ServerLost:
        m_ending = QStringLiteral("The sound server went away.");
        break;
    }
    showState();
}

void FrmMetronome::sendSettings() {
    if (m_player && m_player->isPlaying() && cannotPlay().isEmpty()) {
        m_player->change(settings());
    }
}

ClickSettings FrmMetronome::settings() const {
    ClickSettings settings;
    settings.beatsPerMinute = m_outcome.beatsPerMinute();
    settings.beatsPerBar = m_outcome.beatsPerBar;
    settings.stopAfterBars = m_chkStopAfterBars->isChecked() ? m_outcome.bars : 0.0;
    settings.volume = m_sldVolume->value() / 100.0;
    settings.plan.pattern = m_lamps->levels();
    m_practice->fillPlan(settings.plan);
    return settings;
}

void FrmMetronome::showState() {
    const QString cannot = cannotPlay();
    if (m_outcome.resultsShown) {
        const QString bar = QStringLiteral("%1 beats per bar").arg(toDisplayText(m_outcome.beatsPerBar));
        const QString tempo = toDisplayText(m_outcome.tempo);
        m_lblPlays->setText(m_outcome.tempoKind == tactora::TempoKind::CyclesPerSecond
                                ? QStringLiteral("%1 cycles per second, a beat a cycle, %2").arg(tempo, bar)
                                : QStringLiteral("%1 beats per minute, %2").arg(tempo, bar));
    } else {
        m_lblPlays->setText(QStringLiteral("Nothing to play"));
    }
    m_lblPlays->setAccessibleName(m_lblPlays->text());

    const bool playing = m_player && m_player->isPlaying();
    m_cmdStart->setText(playing ? QStringLiteral("Stop") : QStringLiteral("Start"));
    m_cmdStart->setAccessibleName(m_cmdStart->text());
    // Without a device it stays enabled: pressing it looks for one again.
    m_cmdStart->setEnabled(playing || cannot.isEmpty());

    m_chkStopAfterBars->setText(QStringLiteral("Stop &after %1").arg(barsText(m_outcome.bars)));
    m_chkStopAfterBars->setAccessibleName(QStringLiteral("Stop after %1").arg(barsText(m_outcome.bars)));

    QString status = cannot;
    if (status.isEmpty()) {
        status = m_loadProblem.isEmpty() ? outputText() : m_loadProblem;
    }
    showFigure(*m_lblStatus, status);

    showFigure(*m_lblPattern,
               m_outcome.resultsShown && m_outcome.beatsPerBar > tactora::PracticePlan::maxPatternBeats
                   ? QStringLiteral("The beats past the %1th play as normal beats.")
                         .arg(tactora::PracticePlan::maxPatternBeats)
                   : QString());
    showFigure(*m_lblNow, nowPlayingText(m_lamps->shownBeat()));
}

void FrmMetronome::showBeatHeard() {
    const std::optional<tactora::BeatStart> beat =
        m_player && m_player->isPlaying() ? m_player->beatHeard() : std::nullopt;
    m_lamps->showBeat(beat);
    if (m_flash->isVisible()) {
        m_flash->showBeat(beat);
    }
    showFigure(*m_lblNow, nowPlayingText(beat));
}

// The tempo is the one the beat heard plays at, the trainer's while it runs.
QString FrmMetronome::nowPlayingText(const std::optional<tactora::BeatStart>& beat) const {
    if (!beat) {
        return {};
    }
    const QString tempo = toFixedText(beat->beatsPerMinute, 2);
    if (beat->bar < 0) {
        return QStringLiteral("Count-in, %1 BPM").arg(tempo);
    }
    return QStringLiteral("Bar %1%2, %3 BPM")
        .arg(beat->bar + 1)
        .arg(beat->muted ? QStringLiteral(" (muted)") : QString(), tempo);
}

void FrmMetronome::showLargeFlash(bool shown) {
    m_flash->setVisible(shown);
    m_practice->setVisible(!shown);
    // The window keeps a fixed size, made for the flash: the flash only fills what was empty.
    m_flash->showBeat(std::nullopt);
}

void FrmMetronome::exportClickTrack() {
    if (m_export) {
        return;
    }
    QString error;
    ClickPlayerFactory* factory = clickPlayerFactory(&error);
    if (factory == nullptr) {
        m_dialogs.showMessage(QStringLiteral("The metronome's sound could not be loaded: %1").arg(error),
                              windowTitle(), MessageIcon::Warning);
        return;
    }
    if (const QString cannot = cannotPlay(); !cannot.isEmpty()) {
        m_dialogs.showMessage(cannot, windowTitle(), MessageIcon::Warning);
        return;
    }
    ClickExport request;
    request.settings = settings();
    // The main window's bars, as "Stop after" plays them, whole bars being what a track holds.
    ClickExportDialog dialog(*this, static_cast<int>(std::ceil(m_outcome.bars)));
    const bool chosen = dialog.exec() == QDialog::Accepted;
    returnActivation(dialog);
    if (!chosen) {
        return;
    }
    dialog.fillRequest(request);
    request.path = m_dialogs.askSavePath(
        QStringLiteral("Export the click track"),
        QDir::home().filePath(QStringLiteral("click") + clickFileSuffix(request.format)),
        clickFileFilter(request.format));
    if (request.path.isEmpty()) {
        return;
    }
    // A name typed without its ending gets the format's, as the save box's filter suggests.
    if (QFileInfo(request.path).suffix().isEmpty()) {
        request.path += clickFileSuffix(request.format);
    }
    showFigure(*m_lblExported, QString());
    m_export = new ClickExportJob(*factory, request, *this);
    connect(m_export, &ClickExportJob::finished, this,
            [this, request](const ClickExportOutcome& outcome) { exported(request, outcome); });
}

void FrmMetronome::exported(const ClickExport& request, const ClickExportOutcome& outcome) {
    m_export->deleteLater();
    // The progress dialog has closed: the work goes on here, not in the main window the window
    // system may have chosen instead.
    activateWindow();
    const QString path = QDir::toNativeSeparators(request.path);
    switch (outcome.result) {
    case ClickExportOutcome::Result::Written:
        showFigure(*m_lblExported, QStringLiteral("Wrote the click track to %1.").arg(path));
        break;
    case ClickExportOutcome::Result::Cancelled:
        showFigure(*m_lblExported, QStringLiteral("The export was cancelled: nothing was written."));
        break;
    case ClickExportOutcome::Result::Failed:
        m_dialogs.showMessage(
            QStringLiteral("The click track could not be written to %1: %2").arg(path, outcome.problem),
            windowTitle(), MessageIcon::Warning);
        break;
    }
}

// Where the sound goes, and what became of the last playing: a playing the output lost is
// said to be over, and whether Start can play again.
QString FrmMetronome::outputText() const {
    const bool playing = m_player && m_player->isPlaying();
    const ClickOutput output = m_player ? m_player->output() : ClickOutput::Searching;
    QString text = m_ending;
    switch (output) {
    case ClickOutput::Searching:
        return (text.isEmpty() ? QString() : text + QLatin1Char(' ')) +
               QStringLiteral("No audio output device was found: Start plays as soon as there is one.");
    case ClickOutput::Suspended:
        return QStringLiteral("The sound server has suspended %1: nothing is heard.")
            .arg(m_player->deviceName());
    case ClickOutput::Ready:
        break;
    }
    if (playing) {
        return QStringLiteral("Playing through %1 at %2 Hz, %3 ms from a click to the device.")
            .arg(m_player->deviceName(), QLocale().toString(m_player->sampleRate()))
            .arg(m_player->latencyMilliseconds());
    }
    if (m_ending.isEmpty() || m_ending.startsWith(QStringLiteral("Played"))) {
        return text;
    }
    return text + QStringLiteral(" %1 is there now: Start plays again.").arg(m_player->deviceName());
}
