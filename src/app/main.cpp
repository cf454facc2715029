// Entry point of the Kinetrak Krovel program.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle(" - Kinetrak Krovel");
    frame.resize(900, 780);
    frame.show();
    return app.exec();
}
