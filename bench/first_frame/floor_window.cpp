// The floor of the start-up comparison: the least a Qt Widgets program with a main window,
// a menu bar and four entries does before its first frame. Its client area has the
// calculator's size, so both programs fill and send the same number of pixels.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("About"));
    window.menuBar()->addAction(QStringLiteral("Help"));
    auto* client = new QWidget(&window);
    client->setFixedSize(251, 368);
    auto* layout = new QVBoxLayout(client);
    for (int i = 0; i < 4; ++i)
        layout->addWidget(new QLineEdit(client));
    window.setCentralWidget(client);
    window.show();
    return app.exec();
}
