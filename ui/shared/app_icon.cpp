#include "ui/shared/app_icon.h"

#include <QPixmap>

// The picture is compiled in from its XPM source, which Qt reads directly. Reading an image
// file instead would load every installed image-format plugin first, at every start.
#include "resources/icon/tactora04.xpm"

// The one 16-pixel picture at 16, 32, 48 and 64 pixels, each pixel a square of whole pixels
// as in the installed hicolor files, so that a task switcher or a dock never blurs it.
QIcon appIcon() {
    const QPixmap picture(tactora04_xpm);
    QIcon icon;
    for (const int factor : {1, 2, 3, 4}) {
        icon.addPixmap(factor == 1 ? picture
                                   : picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio,
                                                    Qt::FastTransformation));
    }
    return icon;
}
