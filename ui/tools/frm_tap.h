#pragma once

#include "core/tap_tempo.h"
#include "ui/tools/tempo_source_window.h"

class QLabel;
class QPushButton;

// The tap tempo window: the user taps Space, Enter or the large button in time, and the
// window shows the tempo of the taps. "Use" hands it on; Escape or "Cancel" drops it.
class FrmTap final : public TempoSourceWindow {
    Q_OBJECT

public:
    explicit FrmTap(QWidget& owner);

    // Shows the window with no taps yet and the focus on the tap button.
    void open();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // eventMilliseconds is the input event's own time; 0 when it has none.
    void tap(quint64 eventMilliseconds);
    void tapButtonPressed();
    void scale(int doublings);
    void clearTaps();
    void showEstimate();

    tactora::TapTempo m_taps;
    // Event times and the steady clock, which times the taps that come without a time of
    // their own (a press of the button by an assistive tool), count from different moments,
    // so a series keeps to one of them.
    bool m_timedByEvents = true;
    // The time of the press the tap button is about to act on, caught before the button
    // sees it; 0 while there is none.
    quint64 m_pressMilliseconds = 0;
    // Halve and Double: the shown tempo is the tapped one times 2 to this power.
    int m_doublings = 0;

    QPushButton* m_cmdTap = nullptr;
    QLabel* m_lblTempo = nullptr;
    QLabel* m_lblTaps = nullptr;
    QPushButton* m_cmdHalve = nullptr;
    QPushButton* m_cmdDouble = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};
