#include "ui/shared/flat_border.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

void paintFlatBorder(QWidget& box, const QColor& colour) {
    const qreal ratio = box.devicePixelRatioF();
    // The window starts on a whole device pixel; the box's edges are rounded to one from there.
    const QPoint origin = box.mapTo(box.window(), QPoint(0, 0));
    const int left = qRound(origin.x() * ratio);
    const int top = qRound(origin.y() * ratio);
    const int width = qRound((origin.x() + box.width()) * ratio) - left;
    const int height = qRound((origin.y() + box.height()) * ratio) - top;
    const int thickness = std::max(1, static_cast<int>(ratio));

    QPainter painter(&box);
    // From here on in the window's device pixels.
    painter.scale(1 / ratio, 1 / ratio);
    painter.translate(-origin.x() * ratio, -origin.y() * ratio);
    painter.fillRect(left, top, width, thickness, colour);
    painter.fillRect(left, top + height - thickness, width, thickness, colour);
    painter.fillRect(left, top, thickness, height, colour);
    painter.fillRect(left + width - thickness, top, thickness, height, colour);
}
