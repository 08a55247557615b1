#pragma once

#include "core/tap_tempo.h"
#include "ui/paint/gradient_surface.h"

#include <optional>

class QLabel;
class QPushButton;
class TapClock;

// The tap tempo window: the user taps Space, Enter or the large button in time, and the
// window shows the tempo of the taps. "Use" hands it on; Escape or "Cancel" drops it.
class FrmTap final : public GradientSurface {
    Q_OBJECT

public:
    FrmTap(QWidget& owner, const TapClock& clock);

    // Shows the window with no taps yet and the focus on the tap button.
    void open();

signals:
    // The tapped tempo in beats per minute, as shown, when the user chose "Use".
    void tempoChosen(double beatsPerMinute);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void tap();
    void use();
    void showEstimate();

    const TapClock& m_clock;
    tactora::TapTempo m_taps;
    // The tempo shown, rounded as shown; none until two taps can be timed.
    std::optional<double> m_shownTempo;

    QPushButton* m_cmdTap = nullptr;
    QLabel* m_lblTempo = nullptr;
    QLabel* m_lblTaps = nullptr;
    QPushButton* m_cmdUse = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};
