// Kinetrak Krovel: start-up, the event loop, and the exit sequence's code.
#include <QApplication>

#include "app/core/CommandLine.h"
#include "app/gui/CKrovelDeviceApp.h"
#include "app/gui/QtPrompts.h"

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    krovel::QtPrompts prompts;
    krovel::InstallPrompts(&prompts);
    int code = 1;
    {
        krovel::CKrovelDeviceApp app;
        if (app.InitInstance(krovel::CommandLineOfArguments({argv + 1, argv + argc}))) {
            qtApp.exec();
            code = app.ExitInstance();
        }
    }
    krovel::InstallPrompts(nullptr);
    return code;
}
