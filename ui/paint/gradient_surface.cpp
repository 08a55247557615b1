#include "ui/paint/gradient_surface.h"

#include "core/whole_number.h"
#include "ui/paint/gradient_painter.h"

#include <QPainter>

#include <cmath>

namespace {

// A length in device pixels, rounded up. Where a size lands between device pixels (251
// pixels at a ratio of 1.5 are 376.5), the platform may round the window up to a whole
// pixel, and that last column or row must be painted too; a part beyond the window is
// simply clipped. Nothing for a length that does not fit.
std::int32_t devicePixels(int logicalLength, qreal ratio) {
    return tactora::toWhole(std::ceil(logicalLength * ratio)).value_or(0);
}

} // namespace

GradientSurface::GradientSurface(QWidget* parent) : QWidget(parent) {}

void GradientSurface::paintGradient(std::uint32_t firstColour, std::uint32_t secondColour,
                                    std::uint32_t mode) {
    const qreal ratio = devicePixelRatioF();
    const std::int32_t width = devicePixels(this->width(), ratio);
    const std::int32_t height = devicePixels(this->height(), ratio);

    m_background = QImage(width, height, QImage::Format_RGB32);
    m_background.setDevicePixelRatio(ratio);
    // Should the fill be refused, the window keeps its plain colour rather than stray memory.
    m_background.fill(palette().color(backgroundRole()));
    paint::PaintGradient(m_background, firstColour, secondColour, width, height, mode);
    update();
}

void GradientSurface::paintEvent(QPaintEvent* /*event*/) {
    if (m_background.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_background);
}
