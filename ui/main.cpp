#include "resources/identity.h"
#include "ui/app/tool_windows.h"
#include "ui/main/frm_calc.h"
#include "ui/shared/design_font.h"
#include "ui/shared/dialogs.h"

#include <QApplication>

// The program's windows are put together here, and only here: the main window, and the tool
// windows that follow it.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Message and input boxes speak in the windows' face too. It also spares the start one
    // font: a line edit lays out its text once in the application's font while it is made.
    QApplication::setFont(designFont());
    // Lets the desktop match the window to the installed desktop file and its icon.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(tactora::identity::appId));
    QtDialogs dialogs;
    FrmCalc window(dialogs);
    attachToolWindows(window);
    window.show();
    return app.exec();
}
