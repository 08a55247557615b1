#include "ui/paint/gradient_surface.h"

#include "core/whole_number.h"
#include "ui/paint/gradient_painter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Rows of the kept gradient filled at a time (see paintEvent).
constexpr int fillBandRows = 64;

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
    m_ratio = devicePixelRatioF();
    const std::int32_t width = devicePixels(this->width(), m_ratio);
    const std::int32_t height = devicePixels(this->height(), m_ratio);
    m_area = QSize(width, height);

    const bool vertical = mode == paint::GRADIENT_FILL_RECT_V;
    m_background = QImage(vertical ? 1 : width, vertical ? height : 1, QImage::Format_RGB32);
    // Should the fill be refused, the window keeps its plain colour rather than stray memory.
    m_background.setDevicePixelRatio(m_ratio);
    m_background.fill(palette().color(backgroundRole()));
    // The gradient runs over the whole area; the image holds the part of it that repeats.
    paint::PaintGradient(m_background, firstColour, secondColour, width, height, mode);
    update();
}

void GradientSurface::paintEvent(QPaintEvent* /*event*/) {
    if (m_background.isNull()) {
        return;
    }
    QPainter painter(this);
    // Tiled at one kept pixel a device pixel, the row is copied into every row (the column
    // into every column) unchanged. Qt hands a fill of more than about a hundred rows to
    // worker threads, which it would start for this one paint at start-up; band by band the
    // fill is done at once, in less time than starting them takes.
    const QBrush kept(m_background);
    for (int top = 0; top < m_area.height(); top += fillBandRows) {
        const int bottom = std::min(top + fillBandRows, m_area.height());
        painter.fillRect(QRectF(0, top / m_ratio, m_area.width() / m_ratio, (bottom - top) / m_ratio), kept);
    }
}
