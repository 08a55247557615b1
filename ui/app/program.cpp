#include "ui/app/program.h"

#include "resources/identity.h"
#include "ui/app/tool_windows.h"
#include "ui/main/frm_calc.h"
#include "ui/shared/design_font.h"

#include <QApplication>

std::unique_ptr<FrmCalc> composeProgram(Dialogs& dialogs) {
    // Message and input boxes speak in the windows' face too. It also spares the start one
    // font: a line edit lays out its text once in the application's font while it is made.
    QApplication::setFont(designFont());
    // Lets the desktop match the window to the installed desktop file and its icon.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(tactora::identity::appId));
    auto calc = std::make_unique<FrmCalc>(dialogs);
    attachToolWindows(*calc, dialogs);
    return calc;
}
