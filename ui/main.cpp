#include <main/frm_calc.h>
#include <shared/dialogs.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtDialogs dialogs;
    FrmCalc window(dialogs);
    window.show();
    return app.exec();
}
