#include <gtest/gtest.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/core/AppPaths.h"
#include "data/core/DataModel.h"
#include "measure/gui/SpreadsheetLauncher.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

using namespace krovel;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    return krovel::testing::TempFolder::Read(path);
}

// A folder on PATH holding stand-ins for the spreadsheet programs, each of which
// appends its name and arguments to a log, so no real spreadsheet program starts.
class SpreadsheetLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        ASSERT_TRUE(temp.ok());
        folder = temp.path();
        fs::create_directories(folder / "bin");
        log = folder / "launched.log";
        oldPath = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString((folder / "bin").string()));
        qunsetenv("KROVEL_NO_SPREADSHEET");
    }
    void TearDown() override {
        qputenv("PATH", oldPath);
        qunsetenv("KROVEL_NO_SPREADSHEET");
        SetSpreadsheetOpener({});
        AppPaths.Reset();
    }

    void InstallProgram(const std::string& name) {
        const fs::path script = folder / "bin" / name;
        std::ofstream(script) << "#!/bin/sh\necho \"" << name << " $*\" >> '" << log.string()
                              << "'\n";
        fs::permissions(script, fs::perms::owner_all);
    }

    // The log once it holds `lines` lines, or what it holds after five seconds.
    std::string WaitForLog(int lines) {
        QElapsedTimer timer;
        timer.start();
        std::string text;
        while (timer.elapsed() < 5000) {
            text = ReadFile(log);
            if (std::count(text.begin(), text.end(), '\n') >= lines) break;
            QThread::msleep(20);
        }
        return text;
    }

    krovel::testing::TempFolder temp;
    fs::path folder, log;
    QByteArray oldPath;
};

} // namespace

TEST_F(SpreadsheetLauncherTest, ExportButtonWritesDataFolderFileAndOpensIt) {
    AppPaths.DataFolder = folder.string();
    std::vector<std::string> opened;
    SetSpreadsheetOpener([&](const std::string& path) { opened.push_back(path); });
    ExportSpreadsheetFromTable({{{"1", " 20.00"}}});
    const std::string path = (folder / "noname.xml").string();
    EXPECT_EQ(opened, std::vector<std::string>{path});
    EXPECT_EQ(ReadFile(path), SpreadsheetWorkbookOfCurrentSeries({{{"1", " 20.00"}}}));
}

TEST_F(SpreadsheetLauncherTest, PrefersLibreOfficeThenSoffice) {
    InstallProgram("soffice");
    InstallProgram("libreoffice");
    OpenInSpreadsheetProgram("/data/a b.xml");
    EXPECT_EQ(WaitForLog(1), "libreoffice --calc /data/a b.xml\n");

    fs::remove(folder / "bin" / "libreoffice");
    OpenInSpreadsheetProgram("/data/c.xml");
    EXPECT_EQ(WaitForLog(2), "libreoffice --calc /data/a b.xml\nsoffice --calc /data/c.xml\n");
}

TEST_F(SpreadsheetLauncherTest, EnvironmentSwitchKeepsProgramClosed) {
    InstallProgram("libreoffice");
    qputenv("KROVEL_NO_SPREADSHEET", "1");
    OpenInSpreadsheetProgram("/data/skipped.xml");
    qputenv("KROVEL_NO_SPREADSHEET", "0");
    OpenInSpreadsheetProgram("/data/shown.xml");
    // Only the second call started the program (a start by the first would have
    // shown up by then too).
    WaitForLog(1);
    QThread::msleep(300);
    EXPECT_EQ(ReadFile(log), "libreoffice --calc /data/shown.xml\n");
}

TEST_F(SpreadsheetLauncherTest, WithoutAProgramTheStatusBarSaysWhereTheWorkbookIs) {
    krovel::testing::ScriptedPrompts prompts;
    OpenInSpreadsheetProgram("/data/nowhere.xml"); // nothing on PATH opens it
    InstallProgram("libreoffice");
    OpenInSpreadsheetProgram("/data/shown.xml");
    WaitForLog(1);
    EXPECT_EQ(prompts.statusTexts,
              std::vector<std::string>{"Workbook written to /data/nowhere.xml"});
}
