#pragma once

#include "core/practice_plan.h"

#include <QWidget>

#include <array>
#include <optional>

// The bar's beat pattern as a row of lamps, one a beat: its height says how loud the beat
// plays (accent, normal, soft, or an empty outline for silent), and the lamp of the beat just
// heard lights. A click on a lamp, or Up, Down and Enter on the chosen one (Left, Right, Home
// and End choose), changes its level.
class BeatLamps final : public QWidget {
    Q_OBJECT

public:
    using Levels = std::array<tactora::BeatLevel, tactora::PracticePlan::maxPatternBeats>;

    explicit BeatLamps(QWidget& parent);

    // One lamp a beat, the partial beat of a fractional bar drawn narrower; at most
    // PracticePlan::maxPatternBeats of them.
    void setBeatsPerBar(double beatsPerBar);
    int lampCount() const { return m_count; }
    const Levels& levels() const { return m_levels; }
    int chosenLamp() const { return m_chosen; }

    // The beat the device has played last, lit in its bar's colour; none for dark lamps.
    void showBeat(const std::optional<tactora::BeatStart>& beat);
    const std::optional<tactora::BeatStart>& shownBeat() const { return m_shown; }

    // Where the lamp's cell lies in the widget, the part a click on it hits.
    QRect lampRect(int lamp) const;

    QSize sizeHint() const override;

signals:
    void levelsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The lamp's width as a share of a whole beat's: below 1 only for a fractional bar's last.
    double widthOf(int lamp) const;
    // Steps the lamp's level: louder (-1) or quieter (+1), round from silent to accent.
    void step(int lamp, int direction);
    void choose(int lamp);
    void describe();

    Levels m_levels = tactora::PracticePlan::accentedFirst();
    int m_count = 4;
    double m_lastWidth = 1.0;
    int m_chosen = 0;
    std::optional<tactora::BeatStart> m_shown;
};

// How a level is said, for the lamps' accessible description.
QString beatLevelName(tactora::BeatLevel level);
