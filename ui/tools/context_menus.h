#pragma once

#include <QList>

class QAction;
class QLineEdit;
class QWidget;

// Opens the widget's context menu with Shift+F10 as well, the keyboard's other way to it
// besides the Menu key (which the platform already turns into a context-menu request).
void openContextMenuWithShiftF10(QWidget& widget);

// Gives the box its standard context menu (copy, select all and so on) with more items
// at the end, reachable by right-click, the Menu key and Shift+F10.
void addContextMenuItems(QLineEdit& box, const QList<QAction*>& items);
