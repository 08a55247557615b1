#include "ui/shared/design_font.h"

#include <QApplication>

QFont designFont() {
    QFont font = QApplication::font();
    font.setPointSizeF(8.25);
    return font;
}
