#pragma once

class QWidget;

// Where a window opens. The frame's size is known once the native window exists, even before
// it is first shown, so a window is created (QWidget::create()) before it is placed; where the
// platform knows no frame, the frame counts as nothing. Every placement keeps the whole frame inside the
// available area of the screen: on an axis where the window does not fit it starts at the area's edge, so
// that its caption (and a menu bar) stay within reach and only the bottom or right is cut.

// Centred on the screen the window is on, or on its owner's when it has one.
void centreOnScreen(QWidget& window);

// Centred over its owner.
void centreOverOwner(QWidget& window);

// Beside its owner, covering nothing of it where the screen has room (right, else left, else
// below, else above), otherwise covering as little of it as the screen allows.
void placeBesideOwner(QWidget& window);
