#include "ui/app/program.h"
#include "ui/main/frm_calc.h"
#include "ui/shared/dialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtDialogs dialogs;
    const std::unique_ptr<FrmCalc> window = composeProgram(dialogs);
    window->show();
    return app.exec();
}
