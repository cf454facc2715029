// The real application, started as the program starts it, against a temporary
// program folder (KROVEL_HOME = <temp>/program, so the registry's DATA is <temp>/DATA)
// with scripted prompts. start() runs the whole start-up; exit() closes the main
// window as the user would and runs the exit sequence, returning its exit code.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

#include "app/gui/CKrovelDeviceApp.h"
#include "base/core/AppPaths.h"
#include "base/gui/CommandRouter.h"
#include "data/core/DataModel.h"
#include "data/core/Settings.h"
#include "support/ScriptedPrompts.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"

namespace krovel::testing {

struct AppHarness {
    QTemporaryDir temp;
    ScriptedPrompts prompts;
    std::unique_ptr<CKrovelDeviceApp> app;

    AppHarness() {
        QApplication::setQuitOnLastWindowClosed(false); // tests close frames at will
        qputenv("KROVEL_HOME", QFile::encodeName(home()));
        ResetDataModel();
        ResetSettings();
        AppPaths.Reset();
    }
    ~AppHarness() {
        app.reset();
        qunsetenv("KROVEL_HOME");
        ResetDataModel();
        ResetSettings();
        AppPaths.Reset();
    }

    QString home() const { return temp.filePath(QStringLiteral("program")); }
    std::string path(const QString& relative) const {
        return QFile::encodeName(temp.filePath(relative)).toStdString();
    }

    bool start(const std::string& commandLine = "") { return start(SplitCommandLine(commandLine)); }
    bool start(const CommandLineParts& commandLine) {
        app = std::make_unique<CKrovelDeviceApp>();
        if (!app->InitInstance(commandLine)) return false;
        return QTest::qWaitForWindowExposed(app->mainFrame());
    }
    int exit() {
        app->mainFrame()->close();
        return app->ExitInstance();
    }

    CMainFrame& frame() const { return *app->mainFrame(); }
    CKrovelDeviceView& view() const { return *app->view(); }
    CommandRouter& router() const { return app->router(); }
};

} // namespace krovel::testing
