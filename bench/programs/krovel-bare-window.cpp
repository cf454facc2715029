// The yardstick for the start-up benchmark: a bare Qt Widgets window, a main window
// with a menu bar of a few menus and a status bar, built with the program's flags.
// What the program's start costs beyond this is the program's own.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "base/gui/FirstPaintExit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    const char* const menus[][4] = {{"&File", "&Open...", "&Save", "E&xit"},
                                    {"&Edit", "&Copy", "&Delete", "Select &All"},
                                    {"&View", "&Toolbar", "&Status Bar", "&Zoom"},
                                    {"&Help", "&About", nullptr, nullptr}};
    for (const auto& menu : menus) {
        QMenu* m = window.menuBar()->addMenu(QString::fromLatin1(menu[0]));
        for (int i = 1; i < 4 && menu[i]; ++i) m->addAction(QString::fromLatin1(menu[i]));
    }
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(900, 780); // the size the program opens at
    krovel::QuitAfterFirstPaintWhenAsked(window);
    window.show();
    return app.exec();
}
