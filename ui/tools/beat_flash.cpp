#include "ui/tools/beat_flash.h"

#include "ui/paint/palette.h"

#include <QPainter>

namespace {

constexpr double accentFlash = 1.0;
constexpr double beatFlash = 0.6;
// Each frame drawn keeps this much of the last one's light.
constexpr double fade = 0.8;

} // namespace

BeatFlash::BeatFlash(QWidget& parent) : QWidget(&parent) {
    setObjectName(QStringLiteral("beatFlash"));
    setAccessibleName(QStringLiteral("Large flash"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BeatFlash::showBeat(const std::optional<tactora::BeatStart>& beat) {
    if (!beat.has_value()) {
        // Nothing is playing: no light left over from the last beat.
        m_brightness = 0.0;
    } else if (beat != m_shown) {
        m_brightness = beat->muted ? 0.0 : (beat->beatInBar == 0 ? accentFlash : beatFlash);
    } else {
        m_brightness *= fade;
    }
    m_shown = beat;
    update();
}

void BeatFlash::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const bool countIn = m_shown.has_value() && m_shown->bar < 0;
    const QColor light = palette::toQColor(countIn ? palette::countInLight : palette::beatLight);
    const QColor dark(0x20, 0x20, 0x20);
    const double b = m_brightness;
    painter.fillRect(
        rect(), QColor::fromRgbF(static_cast<float>(dark.redF() + (light.redF() - dark.redF()) * b),
                                 static_cast<float>(dark.greenF() + (light.greenF() - dark.greenF()) * b),
                                 static_cast<float>(dark.blueF() + (light.blueF() - dark.blueF()) * b)));
}
