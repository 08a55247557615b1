#pragma once

class QLineEdit;
class QWidget;

// Opens the widget's context menu with Shift+F10 as well, the keyboard's other way to it
// besides the Menu key (which the platform already turns into a context-menu request).
void openContextMenuWithShiftF10(QWidget& widget);

// Gives a box holding a number its standard context menu (copy, select all and so on, copying
// and pasting as a number box does) followed by the actions added to the box, reachable by
// right-click, the Menu key and Shift+F10.
void extendContextMenu(QLineEdit& box);
