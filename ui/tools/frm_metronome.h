#pragma once

#include "audio/click_player.h"
#include "ui/shared/calc_outcome.h"
#include "ui/tools/tool_window_base.h"

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

// The metronome: plays the main window's tempo with the first beat of every bar accented,
// started and stopped by its button or Space, and follows each recalculation from the next
// beat. Closing it stops the sound.
class FrmMetronome final : public ToolWindow {
    Q_OBJECT

public:
    explicit FrmMetronome(QWidget& owner);
    ~FrmMetronome() override;

    // Shows the window on the main window's latest outcome.
    void open(const CalcOutcome& outcome);
    // Plays what the main window now shows, from the next beat when playing.
    void follow(const CalcOutcome& outcome);
    // What makes the sound; null until the window first looked for an audio device.
    const ClickPlayer* player() const { return m_player.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void startOrStop();
    void start();
    void stop();
    void ended(ClickPlayerEnd end);
    void sendSettings();
    ClickSettings settings() const;
    // Why the main window's figures cannot be played; empty when they can.
    QString cannotPlay() const;
    void showState();
    QString outputText() const;
    // Loads the sound and opens the output, which stays open, silent, while the window is.
    void openOutput();

    std::unique_ptr<ClickPlayer> m_player;
    QString m_loadProblem; // why the sound could not be loaded, empty when it was
    // The main window's latest outcome: what it shows is what plays.
    CalcOutcome m_outcome;
    QString m_ending; // how the last playing ended, until the next start

    QLabel* m_lblPlays = nullptr;
    QPushButton* m_cmdStart = nullptr;
    QSlider* m_sldVolume = nullptr;
    QCheckBox* m_chkStopAfterBars = nullptr;
    QLabel* m_lblStatus = nullptr;
};
