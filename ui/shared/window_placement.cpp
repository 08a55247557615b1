#include "ui/shared/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>

namespace {

// Between a window and its owner, so that the two frames do not touch.
constexpr int gap = 8;

// The frame the window will have at its present size. Before its first showing the window
// manager has not framed it yet: its owner's frame, from the same window manager, stands in,
// so that a tall window is not pushed below the screen's edge by its own title bar.
QRect frameOf(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    QMargins margins = handle != nullptr ? handle->frameMargins() : QMargins();
    const QWidget* owner = window.parentWidget();
    if (margins.isNull() && owner != nullptr && owner->window()->windowHandle() != nullptr) {
        margins = owner->window()->windowHandle()->frameMargins();
    }
    return QRect(QPoint(), window.size()).marginsAdded(margins);
}

QRect availableArea(const QWidget& window) {
    const QWidget* owner = window.parentWidget();
    const QScreen* screen = owner != nullptr ? owner->screen() : window.screen();
    return screen->availableGeometry();
}

QRect keptInside(QRect frame, const QRect& area) {
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    return frame;
}

// The frame is placed; the window's position is that of its frame's corner.
void moveFrame(QWidget& window, const QRect& frame) {
    window.move(frame.topLeft());
}

void centreOn(QWidget& window, const QRect& target) {
    QRect frame = frameOf(window);
    frame.moveCenter(target.center());
    moveFrame(window, keptInside(frame, availableArea(window)));
}

long long overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
}

} // namespace

void centreOnScreen(QWidget& window) {
    centreOn(window, availableArea(window));
}

void centreOverOwner(QWidget& window) {
    const QWidget* owner = window.parentWidget();
    centreOn(window, owner != nullptr ? owner->window()->frameGeometry() : availableArea(window));
}

void placeBesideOwner(QWidget& window) {
    const QWidget* owner = window.parentWidget();
    if (owner == nullptr) {
        centreOnScreen(window);
        return;
    }
    const QRect beside = owner->window()->frameGeometry();
    const QRect area = availableArea(window);
    const QRect frame = frameOf(window);
    const std::array<QPoint, 4> corners = {QPoint(beside.right() + 1 + gap, beside.top()),
                                           QPoint(beside.left() - gap - frame.width(), beside.top()),
                                           QPoint(beside.left(), beside.bottom() + 1 + gap),
                                           QPoint(beside.left(), beside.top() - gap - frame.height())};
    QRect best;
    long long bestOverlap = -1;
    for (const QPoint& corner : corners) {
        const QRect candidate = keptInside(QRect(corner, frame.size()), area);
        const long long covered = overlap(candidate, beside);
        if (bestOverlap < 0 || covered < bestOverlap) {
            best = candidate;
            bestOverlap = covered;
        }
    }
    moveFrame(window, best);
}
