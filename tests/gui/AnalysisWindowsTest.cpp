// The Analysis menu and its three windows, driven through the main window's commands.
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/gui/AnalysisMenu.h"
#include "analysis/gui/ProfileWindow.h"
#include "analysis/gui/ProgressWindow.h"
#include "analysis/gui/VelocityLossWindow.h"
#include "data/core/MeasurementFile.h"
#include "quorl/core/SubjectRegistry.h"
#include "quorl/gui/Quorl.h"
#include "quorl/gui/QuorlDialogs.h"
#include "support/FrameHarness.h"
#include "support/ScriptedPrompts.h"
#include "support/SeriesBuilder.h"
#include "support/TempFolder.h"

namespace krovel {
namespace {

using testing::FrameHarness;
using testing::ScriptedPrompts;
using testing::SeriesOf;
using testing::TempFolder;

// Three loads of a squat: v = 1.446667 - 0.011 m, e1RM 102.4 kg at 0.32 m/s.
void FillTable() {
    Series[0] = SeriesOf(40, {50, 45});
    Series[1] = SeriesOf(60, {40, 38});
    Series[2] = SeriesOf(80, {28, 20});
    SeriesCount = 3;
    DataPresent = 1;
    TestHeader.Exercise = "Back squat";
}

TEST(AnalysisWindowsTest, ProfileAndLossFollowTheTable) {
    FrameHarness h;
    ASSERT_TRUE(h.created);
    EXPECT_FALSE(h.router.isEnabled(cmd::AnalysisProfile)) << "nothing to analyse yet";
    EXPECT_FALSE(h.router.isEnabled(cmd::AnalysisVelocityLoss));
    EXPECT_FALSE(h.router.isEnabled(cmd::AnalysisProgress)) << "no subject, no folder";

    FillTable();
    ASSERT_TRUE(h.router.send(cmd::AnalysisProfile));
    auto* profile = h.frame->findChild<ProfileWindow*>();
    ASSERT_TRUE(profile && profile->isVisible());
    EXPECT_NEAR(profile->profile().E1rm.value_or(0), (0.32 - 1.4466667) / -0.011, 1e-3);
    EXPECT_EQ(profile->table()->rowCount(), 3);
    EXPECT_EQ(profile->thresholdBox()->value(), 0.32);
    EXPECT_GE(profile->chart()->series().size(), 5); // reps, loads, line, MVT, e1RM

    // An own threshold holds until the exercise's one is asked for again.
    profile->thresholdBox()->setValue(0.25);
    EXPECT_EQ(profile->profile().Threshold.Source, ThresholdSource::Option);
    EXPECT_NEAR(*profile->profile().E1rm, (0.25 - 1.4466667) / -0.011, 1e-3);

    ASSERT_TRUE(h.router.send(cmd::AnalysisVelocityLoss));
    auto* loss = h.frame->findChild<VelocityLossWindow*>();
    ASSERT_TRUE(loss);
    EXPECT_EQ(loss->table()->rowCount(), 3);

    // Export CSV writes what krovel-cli writes for the document's file.
    TestHeader.Subject.SubjectName = "Ann";
    FileName = "squat";
    profile->refreshNow();
    loss->refreshNow();
    const AnalysisSubject subject{"Ann", "", "squat"};
    EXPECT_EQ(profile->csvText(), ProfileCsv(subject, profile->profile()));
    EXPECT_EQ(loss->csvText(), VelocityLossCsv(subject, loss->losses()));

    // A deleted series reaches both windows without any command.
    SeriesCount = 2;
    EXPECT_TRUE(QTest::qWaitFor([&] { return profile->profile().Loads.size() == 2; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return loss->table()->rowCount() == 2; }, 2000));
    EXPECT_EQ(profile->profile().Quality, ProfileQuality::Insufficient);

    // Opening again raises the same window.
    h.router.send(cmd::AnalysisProfile);
    EXPECT_EQ(h.frame->findChildren<ProfileWindow*>().size(), 1);

    // Export CSV writes the table with points; a failed write says so.
    TempFolder folder;
    ScriptedPrompts prompts;
    InstallPrompts(&prompts);
    prompts.saves = {folder.file("loss.csv"), folder.file("missing/loss.csv")};
    loss->exportCsv();
    EXPECT_EQ(TempFolder::Read(folder.file("loss.csv")), loss->csvText());
    EXPECT_NE(loss->csvText().find("\r\n1,40.0,2,1.00,0.90,10.0,10.0\r\n"), std::string::npos);
    loss->exportCsv();
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"File Save Error"});
    InstallPrompts(nullptr);

    SeriesCount = 0;
    EXPECT_FALSE(h.router.isEnabled(cmd::AnalysisProfile));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !profile->chartView()->isEnabled(); }, 2000));
}

TEST(AnalysisWindowsTest, ProgressReadsTheSubjectsFolder) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const std::string root = temp.path().toStdString() + "/DATA";
    QuorlInit(root, "KRVDEV");
    SubjectRecord anna;
    anna.SubjectName = "Anna";
    ASSERT_TRUE(quorl::TheSubjectRegistry().add(anna));
    QuorlSelectByData(root + "/Anna");
    std::string folder;
    QuorlDataFolder(0, folder);

    TestHeaderRecord header;
    header.Exercise = "Squat";
    const std::vector<SeriesRecord> session = {SeriesOf(40, {50}, 1772452800),
                                               SeriesOf(60, {40}, 1772452800),
                                               SeriesOf(80, {28}, 1772452800)};
    TempFolder::Write(folder + "one.krvx", EncodeMeasurementFile(header, session));
    TempFolder::Write(folder + "bad.krvx", "not a measurement");
    QDir().mkdir(QString::fromStdString(folder + "sub.krvx"));

    FrameHarness h;
    ASSERT_TRUE(h.router.send(cmd::AnalysisProgress));
    auto* progress = h.frame->findChild<ProgressWindow*>();
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->report().FilesRead, 1);
    ASSERT_EQ(progress->report().Refused.size(), 2u);
    EXPECT_EQ(progress->table()->rowCount(), 1);
    EXPECT_TRUE(progress->summary()->text().contains("bad.krvx: Incompatible data"));
    EXPECT_TRUE(progress->summary()->text().contains("sub.krvx: a folder"));
    EXPECT_EQ(progress->csvText(), ProgressCsv("Anna", progress->report()));

    // A session saved later shows up once the window looks again.
    TempFolder::Write(folder + "two.krvx", EncodeMeasurementFile(header, session));
    FileTimeText = " 02.03.2026 13:00 ";
    EXPECT_TRUE(QTest::qWaitFor([&] { return progress->table()->rowCount() == 2; }, 2000));
    QuorlInit(root, "KRVDEV");
}

} // namespace
} // namespace krovel
