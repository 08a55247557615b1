#include "ui/shared/app_icon.h"

#include <QPixmap>

// The picture is compiled in from its XPM source, which Qt reads directly. Reading an image
// file instead would load every installed image-format plugin first, at every start.
#include "resources/icon/tactora04.xpm"

QIcon appIcon() {
    return QIcon(QPixmap(tactora04_xpm));
}
