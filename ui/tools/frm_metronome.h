#pragma once

#include "audio/click_player.h"
#include "ui/shared/calc_outcome.h"
#include "ui/tools/tool_window_base.h"

#include <QPointer>
#include <QTimer>

#include <memory>

class BeatFlash;
class BeatLamps;
class ClickExportJob;
class Dialogs;
class PracticePanel;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

// The metronome: plays the main window's tempo in bars of its beats per bar, with the beat
// pattern, subdivisions, count-in, muted bars, tempo trainer and sounds chosen here; started
// and stopped by its button or Space, it follows each recalculation from the next beat. Its
// lamps light as the device plays each beat. "Export…" writes what it would play to a file.
// Closing it stops the sound.
class FrmMetronome final : public ToolWindow {
    Q_OBJECT

public:
    FrmMetronome(QWidget& owner, Dialogs& dialogs);
    ~FrmMetronome() override;

    // Shows the window on the main window's latest outcome.
    void open(const CalcOutcome& outcome);
    // Plays what the main window now shows, from the next beat when playing.
    void follow(const CalcOutcome& outcome);
    // What makes the sound; null until the window first looked for an audio device.
    const ClickPlayer* player() const { return m_player.get(); }
    // What a start would play now, the main window's figures with this window's settings.
    ClickSettings settings() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void startOrStop();
    void start();
    void stop();
    void ended(ClickPlayerEnd end);
    void applySettings();
    void sendSettings();
    // Why the main window's figures cannot be played; empty when they can.
    QString cannotPlay() const;
    void showState();
    QString outputText() const;
    // Loads the sound and opens the output, which stays open, silent, while the window is.
    void openOutput();
    // Lights the lamps (and the flash) for the beat the device has played last.
    void showBeatHeard();
    QString nowPlayingText(const std::optional<tactora::BeatStart>& beat) const;
    void showLargeFlash(bool shown);
    void exportClickTrack();
    void exported(const ClickExport& request, const ClickExportOutcome& outcome);

    std::unique_ptr<ClickPlayer> m_player;
    QString m_loadProblem; // why the sound could not be loaded, empty when it was
    // The main window's latest outcome: what it shows is what plays.
    CalcOutcome m_outcome;
    QString m_ending; // how the last playing ended, until the next start
    Dialogs& m_dialogs;
    // Asks the player for the beat heard at the display's pace while it plays.
    QTimer m_beatPoll;
    QPointer<ClickExportJob> m_export;

    QLabel* m_lblPlays = nullptr;
    QPushButton* m_cmdStart = nullptr;
    QSlider* m_sldVolume = nullptr;
    QCheckBox* m_chkStopAfterBars = nullptr;
    QLabel* m_lblStatus = nullptr;
    BeatLamps* m_lamps = nullptr;
    QLabel* m_lblPattern = nullptr;
    QLabel* m_lblNow = nullptr;
    PracticePanel* m_practice = nullptr;
    QCheckBox* m_chkLargeFlash = nullptr;
    BeatFlash* m_flash = nullptr;
    QPushButton* m_cmdExport = nullptr;
    QLabel* m_lblExported = nullptr;
};
