#include "ui/shared/fit_to_caption.h"

#include <QLabel>

void fitToCaption(QLabel& label) {
    // QLabel measures its plain text in a 2000-pixel square, without centring (which would
    // only round), and adds nothing around it while it has no margin, indent or frame.
    const int flags = static_cast<int>(label.alignment() & ~(Qt::AlignVCenter | Qt::AlignHCenter));
    label.resize(label.fontMetrics().boundingRect(QRect(0, 0, 2000, 2000), flags, label.text()).size());
}
