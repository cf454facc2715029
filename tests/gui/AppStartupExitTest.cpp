// The real program's start-up and exit, against a temporary program folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>
#include <ctime>
#include <fstream>

#include "base/core/CommandIds.h"
#include "data/core/MeasurementFile.h"
#include "device/core/HandOver.h"
#include "io/LinkTestSupport.h"
#include "measure/core/LiveMeasurementState.h"
#include "quorl/gui/Quorl.h"
#include "support/AppHarness.h"
#include "support/LocaleGuard.h"
#include "support/ScriptedQuorlDialogs.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

using testing::AppHarness;

void WriteBytes(const QString& file, const std::string& bytes) {
    QDir().mkpath(QFileInfo(file).path());
    std::ofstream(QFile::encodeName(file).toStdString(), std::ios::binary) << bytes;
}

std::string Settings(float barbell, int32_t below, int32_t above) {
    SettingsValues v;
    v.BarbellWeight = barbell;
    v.SignalBelowPct = below;
    v.SignalAbovePct = above;
    return EncodeSettings(v);
}

TEST(AppStartupTest, FoldersSettingsCommandLineAndTheFirstView) {
    AppHarness h;
    WriteBytes(h.home() + "/default.krovlcfg", Settings(30.5f, 85, 110));
    const int32_t before = static_cast<int32_t>(std::time(nullptr));
    ASSERT_TRUE(h.start("Smith data1 x"));

    EXPECT_EQ(AppPaths.SettingsPath, h.path("program/default.krovlcfg"));
    EXPECT_EQ(AppPaths.DataFolder, h.path("program/DATA"));
    EXPECT_EQ(AppPaths.RegistryDataFolder, h.path("DATA"));
    EXPECT_TRUE(QFileInfo(QFile::decodeName(AppPaths.DataFolder.c_str())).isDir());
    EXPECT_EQ(AppPaths.SuggestedFileName, "data1 x");
    EXPECT_TRUE(h.prompts.messages.empty());

    // Entry 0 is seeded from the settings; the overview shows it.
    EXPECT_FLOAT_EQ(Series[0].Mass, 30.5f);
    EXPECT_EQ(Series[0].SignalBelowPct, 85);
    EXPECT_EQ(Series[0].SignalAbovePct, 110);
    EXPECT_GE(Series[0].StartTime, before);
    EXPECT_LE(Series[0].StartTime, before + 60);
    EXPECT_EQ(CurrentSeries, -1);
    EXPECT_EQ(LoadFinished(LiveMeasurement.LiveRequest), 1);
    EXPECT_EQ(h.view().ViewMode, ViewModeNone);
    EXPECT_EQ(TestHeader.Subject.Sex, SexMale);
    EXPECT_EQ(h.view().subjectBar().edit(1036)->text(), " 30.50");
    EXPECT_EQ(h.view().subjectBar().edit(1031)->text(), "0");

    EXPECT_TRUE(h.frame().isVisible());
    EXPECT_EQ(h.frame().windowTitle(), " - Kinetrak Krovel");
    EXPECT_EQ(h.exit(), 0);
    // Settings are written back at exit, with the values then in force.
    QFile written(h.home() + "/default.krovlcfg");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), Settings(30.5f, 85, 110));
}

TEST(AppStartupTest, AnUnusableHomeFolderIsNamedInOneWarning) {
    AppHarness h;
    // A home below a file cannot be made, even by root; the per-user folder is a
    // temporary one here.
    WriteBytes(h.home(), "a file");
    const QString home = h.home() + "/krovel";
    qputenv("KROVEL_HOME", QFile::encodeName(home));
    qputenv("XDG_DATA_HOME", QFile::encodeName(h.temp.filePath(QStringLiteral("user"))));
    const bool started = h.start();
    qunsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(started);

    const std::string used = h.path("user/Marvolen Krovel/Kelvane");
    EXPECT_EQ(AppPaths.SettingsPath, used + "/default.krovlcfg");
    ASSERT_EQ(h.prompts.texts(),
              std::vector<std::string>{"KROVEL_HOME " + QFile::encodeName(home).toStdString() +
                                       " is not used: it does not exist and cannot be created. "
                                       "Settings and DATA are kept in " +
                                       used + " instead."});
    EXPECT_EQ(h.prompts.messages.at(0).kind, MessageKind::Notice);
}

TEST(AppStartupTest, SubjectTokenSelectsTheRegistersSubject) {
    AppHarness h;
    // A registered subject in the registry's DATA folder beside the program folder.
    QuorlInit(h.path("DATA"), "KRVDEV");
    SubjectRecord smith;
    smith.SubjectName = "Smith";
    ASSERT_TRUE(quorl::TheSubjectRegistry().add(smith));
    const std::string folder = quorl::TheSubjectRegistry().list().at(0).folderName;

    ASSERT_TRUE(h.start(folder + " session"));
    EXPECT_TRUE(QuorlIsValid());
    SubjectRecord current;
    QuorlFillSubject(current);
    EXPECT_EQ(current.SubjectName, "Smith");
}

TEST(AppStartupTest, OpenLoadsItsFileAsFileOpenDoes) {
    {
        // A file it cannot read gives Open's message and leaves the table empty.
        AppHarness h;
        ASSERT_TRUE(h.start({"", "", h.path("missing.krvx")}));
        EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"Error opening file"});
        EXPECT_EQ(SeriesCount, 0);
    }
    AppHarness h;
    TestHeader.Subject.SubjectName = "Cyd";
    TestHeader.Exercise = "squat";
    Series[0].RepCount = 2;
    SeriesCount = 1;
    const QString file = h.temp.filePath(QStringLiteral("elsewhere/trial.krvx"));
    WriteBytes(file, EncodeMeasurementFile());
    ResetDataModel();

    CommandLineParts parts{"", "", QFile::encodeName(file).toStdString()};
    ASSERT_TRUE(h.start(parts));
    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_EQ(SeriesCount, 1);
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Cyd");
    EXPECT_EQ(TestHeader.Exercise, "squat");
    EXPECT_EQ(FileName, "trial");
    EXPECT_EQ(DataSaved, 1);
}

TEST(AppStartupTest, NumbersFollowTheUsersLocaleAfterStartUp) {
    {
        testing::LocaleGuard probe("de_DE.UTF-8");
        if (!probe.ok()) GTEST_SKIP() << "no de_DE locale installed";
    }
    testing::LocaleGuard restore("C");
    const QByteArray all = qgetenv("LC_ALL");
    qunsetenv("LC_ALL");
    qputenv("LC_NUMERIC", "de_DE.UTF-8");
    {
        AppHarness h;
        std::setlocale(LC_NUMERIC, "C"); // whatever was in force before
        ASSERT_TRUE(h.start());
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "de_DE.UTF-8");
        EXPECT_EQ(h.view().subjectBar().edit(1036)->text(), " 20,00");
    }
    qunsetenv("LC_NUMERIC");
    if (!all.isNull()) qputenv("LC_ALL", all);
}

TEST(AppStartupTest, DamagedSettingsAreReportedAndReplacedAtExit) {
    {
        AppHarness h;
        WriteBytes(h.home() + "/default.krovlcfg", "KrovelDevice_V1.1"); // magic only
        ASSERT_TRUE(h.start());
        EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"Error opening file"});
        EXPECT_FLOAT_EQ(Series[0].Mass, 20.0f);
        EXPECT_EQ(h.exit(), 0);
        EXPECT_EQ(QFileInfo(h.home() + "/default.krovlcfg").size(), 81);
    }
    {
        AppHarness h;
        WriteBytes(h.home() + "/default.krovlcfg", "KrovelDevice_V2.0" + std::string(64, '\0'));
        ASSERT_TRUE(h.start());
        EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"Incompatible data"});
    }
}

// KROVEL_EXIT_AFTER_FIRST_PAINT=1 (what the start-up benchmark sets): the event loop
// ends by itself once the window has painted. The guard only ends a loop that never would.
TEST(AppStartupTest, TheFirstPaintSwitchEndsTheEventLoopOncePainted) {
    AppHarness h;
    qputenv("KROVEL_EXIT_AFTER_FIRST_PAINT", "1");
    h.app = std::make_unique<CKrovelDeviceApp>();
    const bool started = h.app->InitInstance(std::string());
    qunsetenv("KROVEL_EXIT_AFTER_FIRST_PAINT");
    ASSERT_TRUE(started);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, &QCoreApplication::quit);
    guard.start(60000);
    QCoreApplication::exec();
    EXPECT_TRUE(guard.isActive());
}

TEST(AppExitTest, SettingsThatCannotBeWrittenAreReportedAndExitGoesOn) {
    AppHarness h;
    ASSERT_TRUE(h.start());
    // A folder where the settings file should be: it cannot be replaced.
    QDir().mkpath(h.home() + "/default.krovlcfg/blocked");
    EXPECT_EQ(h.exit(), 0);
    EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"Save File Error"});
}

TEST(AppExitTest, UnsavedDataAnsweredNoOrCancelledEndsWithCodeOne) {
    AppHarness h;
    ASSERT_TRUE(h.start());
    DataSaved = 0;
    EXPECT_EQ(h.exit(), 1);
    EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"Data not saved. Save?"});
    EXPECT_TRUE(h.prompts.saveRequests.empty());

    h.prompts.answers = {Answer::Yes}; // then the dialog is cancelled
    EXPECT_EQ(h.app->ExitInstance(), 1);
    ASSERT_EQ(h.prompts.saveRequests.size(), 1u);
    const FileDialogRequest& r = h.prompts.saveRequests.at(0);
    EXPECT_EQ(r.filter, "Krovel Files (*.krvx)|*.krvx||");
    EXPECT_EQ(r.defaultExtension, "");
    EXPECT_EQ(r.initialName, "");
    EXPECT_EQ(r.initialFolder, AppPaths.DataFolder);
}

TEST(AppExitTest, UnsavedDataIsSavedWithTheExtensionRule) {
    AppHarness h;
    ASSERT_TRUE(h.start());
    SeriesCount = 1;
    Series[0].RepCount = 2;
    DataSaved = 0;
    h.prompts.answers = {Answer::Yes};
    h.prompts.saves = {h.path("program/DATA/run")};
    EXPECT_EQ(h.exit(), 0);
    EXPECT_TRUE(QFileInfo::exists(h.temp.filePath("program/DATA/run.krvx")));
    EXPECT_FALSE(QFileInfo::exists(h.temp.filePath("program/DATA/run")));

    // A path that holds the extension text anywhere is taken as it is.
    DataSaved = 0;
    h.prompts.answers = {Answer::Yes};
    h.prompts.saves = {h.path("program/DATA/run.krvx.bak")};
    EXPECT_EQ(h.app->ExitInstance(), 0);
    EXPECT_TRUE(QFileInfo::exists(h.temp.filePath("program/DATA/run.krvx.bak")));
    EXPECT_FALSE(QFileInfo::exists(h.temp.filePath("program/DATA/run.krvx.bak.krvx")));
    MeasurementScratch saved;
    ASSERT_EQ(LoadMeasurementFile(h.path("program/DATA/run.krvx.bak"), saved), FileLoadError::None);
    ASSERT_EQ(saved.Series.size(), 1u);
    EXPECT_EQ(saved.Series[0].RepCount, 2);
}

TEST(AppExitTest, ASaveThatDidNotHappenAsksAgain) {
    AppHarness h;
    ASSERT_TRUE(h.start());
    WriteBytes(h.home() + "/DATA/old.krvx", "kept");
    SeriesCount = 1;
    DataSaved = 0;
    // Yes, an existing file, overwriting declined; asked again: Yes, a fresh name.
    h.prompts.answers = {Answer::Yes, Answer::No, Answer::Yes};
    h.prompts.saves = {h.path("program/DATA/old.krvx"), h.path("program/DATA/new")};
    EXPECT_EQ(h.exit(), 0);
    EXPECT_EQ(h.prompts.texts(),
              (std::vector<std::string>{"Data not saved. Save?",
                                        "OverWrite file: " + h.path("program/DATA/old.krvx"),
                                        "Data not saved. Save?"}));
    EXPECT_TRUE(QFileInfo::exists(h.temp.filePath("program/DATA/new.krvx")));
    EXPECT_EQ(QFileInfo(h.temp.filePath("program/DATA/old.krvx")).size(), 4);
}

TEST(AppExitTest, ExitDuringAMeasurementEndsItAsStopAndOffersTheSet) {
    struct InstalledBus {
        SimulatedFtdiBus bus;
        InstalledBus() { UseFtdiApi(&bus); }
        ~InstalledBus() {
            CloseLink();
            UseFtdiApi(nullptr);
        }
    } usb;
    const int unit = usb.bus.AddDevice("Kinetrak Basic", "KB0009");
    AppHarness h;
    ASSERT_TRUE(h.start());
    ASSERT_TRUE(h.router().send(cmd::NewMeasurement));
    ASSERT_TRUE(usb.bus.WaitUntilListening(unit, std::chrono::seconds(5)));
    ASSERT_TRUE(usb.bus.Send(unit, testing::SetFrames(testing::MakeSet(20, 2))));
    ASSERT_TRUE(testing::WaitUntil([] { return LoadRepCount(0) == 2; }));
    DataSaved = 1; // as if saved before Perform: only the running set is unsaved

    h.prompts.answers = {Answer::Yes};
    h.prompts.saves = {h.path("program/DATA/live")};
    EXPECT_TRUE(h.router().send(cmd::AppExit));
    EXPECT_EQ(DeviceLink.UsbOpen, 0); // the reader has ended and the unit is closed
    EXPECT_FALSE(usb.bus.IsOpen(unit));
    EXPECT_EQ(MeasurementIdle, 1);
    EXPECT_EQ(h.app->ExitInstance(), 0);
    EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"Data not saved. Save?"});
    MeasurementScratch saved;
    ASSERT_EQ(LoadMeasurementFile(h.path("program/DATA/live.krvx"), saved), FileLoadError::None);
    ASSERT_EQ(saved.Series.size(), 1u);
    EXPECT_EQ(saved.Series[0].RepCount, 2);
}

TEST(AppCommandsTest, ExitCommandClosesTheMainWindow) {
    AppHarness h;
    ASSERT_TRUE(h.start());
    EXPECT_TRUE(h.router().send(cmd::AppExit));
    EXPECT_FALSE(h.frame().isVisible());
}

TEST(AppCommandsTest, SubjectSelectionFillsTheHeaderAndTheBar) {
    AppHarness h;
    ASSERT_TRUE(h.start());
    testing::ScriptedQuorlDialogs dialogs;
    SubjectRecord ana;
    ana.SubjectName = "Ana";
    ana.Height = 170;
    ana.BodyWeight = 61;
    ana.Comment = "sprinter";
    dialogs.subjects = {std::nullopt, ana};

    DataSaved = 0;
    EXPECT_TRUE(h.router().send(cmd::SubjectSelect)); // cancelled: nothing changes
    EXPECT_EQ(TestHeader.Subject.SubjectName, "");
    EXPECT_TRUE(h.router().send(cmd::SubjectSelect));
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Ana");
    const SubjectBar& bar = h.view().subjectBar();
    EXPECT_EQ(bar.edit(1000)->text(), "Ana");
    EXPECT_EQ(bar.edit(1032)->text(), "170");
    EXPECT_EQ(bar.edit(1020)->text(), "61");
    EXPECT_EQ(bar.edit(1006)->text(), "sprinter");
    EXPECT_EQ(DataSaved, 0); // choosing a subject saves nothing
    EXPECT_EQ(dialogs.subjectDialogCalls, 2);
}

TEST(AppCommandsTest, ChoosingAnotherSubjectAsksWhatBecomesOfTheSets) {
    constexpr size_t NoQuestion = 9;
    struct Case {
        std::string owner; // the name the sets carry
        size_t choice;     // 0 save them for the owner, 1 give them to Ben, 2 cancel
        bool saveChosen;   // the Save dialog names a file (else it is cancelled)
        std::string current;
        int32_t seriesLeft;
    };
    const std::vector<Case> cases = {
        {"Ana", 0, true, "Ben", 0},            // saved into Ana's folder, emptied, Ben chosen
        {"Ana", 0, false, "Ana", 2},           // the save cancelled: nothing changes
        {"Ana", 1, false, "Ben", 2},           // given to Ben
        {"Ana", 2, false, "Ana", 2},           // Cancel
        {"", NoQuestion, false, "Ben", 2},     // recorded before any subject was chosen
        {" bEN", NoQuestion, false, "Ben", 2}, // Ben's own, in other letters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.owner + "' choice " + std::to_string(c.choice));
        AppHarness h;
        ASSERT_TRUE(h.start());
        testing::ScriptedQuorlDialogs dialogs;
        SubjectRecord ana, ben;
        ana.SubjectName = "Ana";
        ben.SubjectName = "Ben";
        dialogs.subjects = {ana, ben};
        EXPECT_TRUE(h.router().send(cmd::SubjectSelect)); // Ana, with an empty table
        SeriesCount = 2;
        Series[0].RepCount = 3;
        Series[1].RepCount = 4;
        TestHeader.Subject.SubjectName = c.owner;
        DataSaved = 0;
        h.frame().RepaintAll();
        if (c.choice != NoQuestion) h.prompts.choices = {c.choice};
        if (c.saveChosen) h.prompts.saves = {h.path("DATA/Ana/monday")};

        EXPECT_TRUE(h.router().send(cmd::SubjectSelect)); // Ben
        if (c.choice == NoQuestion) {
            EXPECT_TRUE(h.prompts.messages.empty());
        } else {
            EXPECT_EQ(h.prompts.texts(), std::vector<std::string>{"These sets belong to Ana."});
            EXPECT_EQ(h.prompts.choiceButtons,
                      (std::vector<std::vector<std::string>>{
                          {"Save them for Ana", "Give them to Ben", "Cancel"}}));
        }
        std::string folder;
        QuorlSubjectFolder(folder);
        EXPECT_EQ(folder, h.path("DATA/" + QString::fromStdString(c.current)) + "/");
        EXPECT_EQ(TestHeader.Subject.SubjectName, c.current == "Ben" ? "Ben" : c.owner);
        EXPECT_EQ(SeriesCount, c.seriesLeft);
        EXPECT_EQ(h.prompts.saveRequests.size(), c.choice == 0 ? 1u : 0u);
        MeasurementScratch saved;
        ASSERT_EQ(LoadMeasurementFile(h.path("DATA/Ana/monday.krvx"), saved) == FileLoadError::None,
                  c.saveChosen);
        if (c.saveChosen) {
            EXPECT_EQ(h.prompts.saveRequests[0].initialFolder, h.path("DATA/Ana") + "/");
            EXPECT_EQ(saved.Header.Subject.SubjectName, "Ana");
            EXPECT_EQ(saved.Series.size(), 2u);
        }
    }
}

} // namespace
} // namespace krovel
