#include "ui/tools/beat_lamps.h"

#include "ui/paint/palette.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Lamps wrap into rows of this many, in an area of one size whatever the bar's length, so
// that the window keeps its size when the main window's beats per bar change.
constexpr int lampsPerRow = 16;
constexpr int cellWidth = 22;
constexpr int areaHeight = 64;
constexpr int margin = 2;
constexpr int litGlowAlpha = 90;

constexpr std::uint32_t unlit = 0x00F0F0F0;

double heightShare(tactora::BeatLevel level) {
    switch (level) {
    case tactora::BeatLevel::Accent:
        return 1.0;
    case tactora::BeatLevel::Normal:
        return 0.5;
    case tactora::BeatLevel::Soft:
        return 0.25;
    case tactora::BeatLevel::Silent:
        break;
    }
    return 0.0;
}

} // namespace

QString beatLevelName(tactora::BeatLevel level) {
    switch (level) {
    case tactora::BeatLevel::Accent:
        return QStringLiteral("accent");
    case tactora::BeatLevel::Normal:
        return QStringLiteral("normal");
    case tactora::BeatLevel::Soft:
        return QStringLiteral("soft");
    case tactora::BeatLevel::Silent:
        break;
    }
    return QStringLiteral("silent");
}

BeatLamps::BeatLamps(QWidget& parent) : QWidget(&parent) {
    setObjectName(QStringLiteral("beatLamps"));
    setAccessibleName(QStringLiteral("Beat pattern"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    describe();
}

QSize BeatLamps::sizeHint() const {
    return {lampsPerRow * cellWidth + 2 * margin, areaHeight};
}

void BeatLamps::setBeatsPerBar(double beatsPerBar) {
    const double whole = std::floor(beatsPerBar);
    const double part = beatsPerBar - whole;
    const double lamps = part > 0.0 ? whole + 1.0 : whole;
    m_count = static_cast<int>(std::clamp(lamps, 1.0, double{tactora::PracticePlan::maxPatternBeats}));
    m_lastWidth = part > 0.0 && lamps <= tactora::PracticePlan::maxPatternBeats ? part : 1.0;
    m_chosen = std::min(m_chosen, m_count - 1);
    describe();
    update();
}

void BeatLamps::showBeat(const std::optional<tactora::BeatStart>& beat) {
    if (beat == m_shown) {
        return;
    }
    m_shown = beat;
    update();
}

double BeatLamps::widthOf(int lamp) const {
    return lamp == m_count - 1 ? m_lastWidth : 1.0;
}

QRect BeatLamps::lampRect(int lamp) const {
    const int rows = (m_count + lampsPerRow - 1) / lampsPerRow;
    const int rowHeight = (areaHeight - 2 * margin) / rows;
    const int column = lamp % lampsPerRow;
    const int row = lamp / lampsPerRow;
    const int width = std::max(3, static_cast<int>(std::lround(cellWidth * widthOf(lamp))));
    return {margin + column * cellWidth, margin + row * rowHeight, width, rowHeight};
}

void BeatLamps::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const bool lit = m_shown.has_value() && m_shown->beatInBar >= 0 && m_shown->beatInBar < m_count;
    QColor litColour = palette::toQColor(palette::beatLight);
    if (lit && m_shown->bar < 0) {
        litColour = palette::toQColor(palette::countInLight);
    } else if (lit && m_shown->muted) {
        litColour = palette::toQColor(palette::mutedLight);
    }
    for (int lamp = 0; lamp < m_count; ++lamp) {
        const QRect cell = lampRect(lamp).adjusted(2, 2, -2, -2);
        const bool on = lit && m_shown->beatInBar == lamp;
        const QColor colour = on ? litColour : palette::toQColor(unlit);
        if (on) {
            // The whole cell glows faintly, so that a soft or silent beat is seen lit too.
            QColor glow = colour;
            glow.setAlpha(litGlowAlpha);
            painter.fillRect(cell, glow);
        }
        painter.setPen(QPen(colour, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        const auto level = m_levels[static_cast<std::size_t>(lamp)];
        const int height = static_cast<int>(std::lround(cell.height() * heightShare(level)));
        if (height > 0) {
            painter.fillRect(QRect(cell.left(), cell.bottom() + 1 - height, cell.width(), height), colour);
        }
        if (on && level == tactora::BeatLevel::Silent) {
            // A silent beat still counts: its outline lights, doubled so that it is seen.
            painter.drawRect(cell.adjusted(1, 1, -2, -2));
        }
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette::toQColor(palette::white), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(lampRect(m_chosen).adjusted(0, 0, -1, -1));
    }
}

void BeatLamps::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    for (int lamp = 0; lamp < m_count; ++lamp) {
        if (lampRect(lamp).contains(event->position().toPoint())) {
            choose(lamp);
            step(lamp, +1);
            return;
        }
    }
}

void BeatLamps::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
        choose(std::max(0, m_chosen - 1));
        break;
    case Qt::Key_Right:
        choose(std::min(m_count - 1, m_chosen + 1));
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(m_count - 1);
        break;
    case Qt::Key_Up:
        step(m_chosen, -1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        step(m_chosen, +1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void BeatLamps::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void BeatLamps::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void BeatLamps::step(int lamp, int direction) {
    constexpr int levelCount = 4;
    auto& level = m_levels[static_cast<std::size_t>(lamp)];
    level = static_cast<tactora::BeatLevel>((static_cast<int>(level) + direction + levelCount) % levelCount);
    describe();
    update();
    emit levelsChanged();
}

void BeatLamps::choose(int lamp) {
    m_chosen = lamp;
    describe();
    update();
}

void BeatLamps::describe() {
    const QString text = QStringLiteral("Beat %1 of %2: %3")
                             .arg(m_chosen + 1)
                             .arg(m_count)
                             .arg(beatLevelName(m_levels[static_cast<std::size_t>(m_chosen)]));
    setAccessibleDescription(text);
    setToolTip(text);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}
