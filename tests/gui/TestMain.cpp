// Widget tests need one QApplication for the whole run; it uses the offscreen platform
// unless the environment names another (to watch a test on a real display).
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A test that presses "Export XML" must not start the real spreadsheet program.
    qputenv("KROVEL_NO_SPREADSHEET", "1");
    // What the program remembers per user (QSettings) goes to a folder of this run.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
