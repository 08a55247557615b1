#pragma once

#include "core/practice_plan.h"

#include <QWidget>

#include <optional>

// A large area that flashes as each beat is heard, brighter on the bar's first, for a player
// who cannot hear the click over a loud instrument or look closely at the lamps. The flash
// fades over the following frames the window draws.
class BeatFlash final : public QWidget {
    Q_OBJECT

public:
    explicit BeatFlash(QWidget& parent);

    // The beat heard now; a beat it has not shown yet starts a flash, a known one fades it.
    void showBeat(const std::optional<tactora::BeatStart>& beat);
    // How bright it is now, 0 (dark) to 1 (the accent's flash).
    double brightness() const { return m_brightness; }

    QSize sizeHint() const override { return {360, 100}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<tactora::BeatStart> m_shown;
    double m_brightness = 0.0;
};
