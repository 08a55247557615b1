#include "ui/shared/tool_window.h"

#include "ui/shared/design_font.h"

#include <QIcon>
#include <QWidget>

void setUpToolWindow(QWidget& window, const QString& caption) {
    window.setAccessibleName(caption);
    window.setWindowTitle(caption);
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // An empty icon keeps Qt from handing down the main window's.
    window.setWindowIcon(QIcon());
    window.setFont(designFont());
}

void returnActivation(QWidget& closing) {
    QWidget* owner = closing.parentWidget();
    if (owner != nullptr && owner->isVisible()) {
        owner->window()->activateWindow();
    }
}
