#pragma once

class QColor;
class QWidget;

// Paints the one-pixel border of a flat box over its edges, from within its paint event. At
// a fractional scale a box's edges fall between device pixels, and a line drawn at its
// logical edges came out one device pixel at the top and two at the bottom; the border is
// drawn on the window's device pixels instead, equally thick on every side: one device pixel
// for each whole step of the scale.
void paintFlatBorder(QWidget& box, const QColor& colour);
