#include "ui/tools/tool_window.h"

#include "ui/shared/design_font.h"

#include <QIcon>
#include <QWidget>

void setUpToolWindow(QWidget& window, const QString& caption) {
    window.setAccessibleName(caption);
    window.setWindowTitle(caption);
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    // Like the program's other small windows, no icon of its own; an empty one keeps Qt from
    // handing down the main window's.
    window.setWindowIcon(QIcon());
    window.setFont(designFont());
}
