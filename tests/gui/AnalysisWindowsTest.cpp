// The Analysis menu and its three windows, driven through the main window's commands.
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

#include "analysis/core/AnalysisCsv.h"
#include "analysis/gui/AnalysisMenu.h"
#include "analysis/gui/ProfileWindow.h"
#include "analysis/gui/ProgressWindow.h"
#include "analysis/gui/VelocityLossWindow.h"
#include "app/gui/FileCommands.h"
#include "app/gui/SubjectSwitch.h"
#include "data/core/MeasurementFile.h"
#include "quorl/core/SubjectRegistry.h"
#include "quorl/gui/Quorl.h"
#include "quorl/gui/QuorlDialogs.h"
#include "quorl/gui/SubjectDialog.h"
#include "support/FrameHarness.h"
#include "support/ScriptedPrompts.h"
#include "support/SeriesBuilder.h"
#include "support/TempFolder.h"
#include "ui/core/Chart.h"
#include "ui/gui/ChartWidget.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {
namespace {

using testing::FrameHarness;
using testing::ScriptedPrompts;
using testing::SeriesOf;
using testing::TempFolder;

constexpr int32_t SessionStart = 1772452800; // 2026-03-02 12:00 UTC

QString LocalDay(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds).date().toString(Qt::ISODate);
}

// Three loads of a squat: v = 1.446667 - 0.011 m, e1RM 102.4 kg at 0.32 m/s.
void FillTable() {
    Series[0] = SeriesOf(40, {50, 45}, SessionStart + 600);
    Series[1] = SeriesOf(60, {40, 38}, SessionStart);
    Series[2] = SeriesOf(80, {28, 20});
    SeriesCount = 3;
    DataPresent = 1;
    TestHeader.Exercise = "Back squat";
    TestHeader.Subject.SubjectName = "Anna";
    FileName = "squat-monday";
}

// Makes "Anna" the current subject of a registry under `root`; her data folder.
std::string AnnasFolder(const std::string& root) {
    QuorlInit(root, "KRVDEV");
    SubjectRecord anna;
    anna.SubjectName = "Anna";
    if (!quorl::TheSubjectRegistry().add(anna)) return {};
    QuorlSelectByData(root + "/Anna");
    std::string folder;
    QuorlDataFolder(0, folder);
    return folder;
}

// How many different colours the chart's series are drawn in.
size_t Colours(const Chart& chart) {
    std::set<std::tuple<int, int, int>> colours;
    for (const ChartSeries& s : chart.series) colours.insert({s.colour.r, s.colour.g, s.colour.b});
    return colours.size();
}

// The tooltips the mouse finds over the chart, looked for every 8 pixels.
std::set<QString> Tips(const ChartWidget* view) {
    std::set<QString> tips;
    for (int x = 0; x < view->width(); x += 8)
        for (int y = 0; y < view->height(); y += 8) tips.insert(view->tipAt(x, y));
    tips.erase(QString());
    return tips;
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
    EXPECT_FALSE(profile->athleteThresholdButton()->isEnabled()) << "no subject chosen";
    EXPECT_GE(profile->chart().series.size(), 5u); // reps, loads, line, MVT, e1RM
    EXPECT_EQ(Colours(profile->chart()), profile->chart().series.size());
    EXPECT_TRUE(Tips(profile->chartView()).count("Load: 40.0 kg, 1.00 m/s"));

    // Athlete, session day and file above the chart, and on the exported image with the
    // day of export.
    const QString heading = QImage::fromData(profile->chartPng()).text("Description");
    for (const QString& part :
         {QStringLiteral("Anna"), LocalDay(SessionStart), QStringLiteral("squat-monday")}) {
        EXPECT_TRUE(profile->subjectLabel()->text().contains(part)) << part.toStdString();
        EXPECT_TRUE(heading.contains(part)) << part.toStdString();
    }
    EXPECT_TRUE(heading.contains(QDate::currentDate().toString(Qt::ISODate)));

    // An own threshold holds until the exercise's one is asked for again.
    profile->thresholdBox()->setValue(0.25);
    EXPECT_EQ(profile->profile().Threshold.Source, ThresholdSource::Option);
    EXPECT_NEAR(*profile->profile().E1rm, (0.25 - 1.4466667) / -0.011, 1e-3);

    ASSERT_TRUE(h.router.send(cmd::AnalysisVelocityLoss));
    auto* loss = h.frame->findChild<VelocityLossWindow*>();
    ASSERT_TRUE(loss);
    EXPECT_EQ(loss->table()->rowCount(), 3);
    // The window opens wide enough to show every column of its table.
    loss->layout()->activate();
    int columns = 0;
    for (int c = 0; c < loss->table()->columnCount(); ++c) columns += loss->table()->columnWidth(c);
    EXPECT_GE(loss->table()->viewport()->width(), columns);
    const std::set<QString> tips = Tips(loss->chartView());
    EXPECT_TRUE(tips.count("Series 3, 80.0 kg: Loss (%) 28.6 %"));
    EXPECT_TRUE(tips.count("Series 3, 80.0 kg: Max loss (%) 28.6 %"));

    // Export CSV writes what krovel-cli writes for the document's file.
    TestHeader.Subject.SubjectName = "Ann";
    FileName = "squat";
    profile->refreshNow();
    loss->refreshNow();
    const AnalysisSubject subject{"Ann", LocalDay(SessionStart).toStdString(), "squat"};
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

TEST(AnalysisWindowsTest, ChartTitleOfALongExerciseIsCut) {
    FrameHarness h;
    FillTable();
    TestHeader.Exercise = "Squat " + std::string(70000, 'x');
    ASSERT_TRUE(h.router.send(cmd::AnalysisProfile));
    auto* profile = h.frame->findChild<ProfileWindow*>();
    ASSERT_TRUE(profile);
    profile->grab(); // lays the chart out and draws it
    const QString title = QString::fromStdString(profile->chart().title);
    EXPECT_EQ(title.size(), MaxChartTextLength);
    EXPECT_TRUE(title.startsWith("Squat xx") && title.endsWith(QChar(0x2026)));
    EXPECT_LT(profile->summary()->text().size(), 1000);
}

// Anna's folder in a registry of its own, left again at the end.
class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        folder = AnnasFolder(root);
        ASSERT_FALSE(folder.empty());
    }
    void TearDown() override { QuorlInit(root, "KRVDEV"); }

    QTemporaryDir temp;
    const std::string root = temp.path().toStdString() + "/DATA";
    std::string folder;
};

TEST_F(ProgressWindowTest, ReadsTheSubjectsFolder) {

    TestHeaderRecord header;
    header.Exercise = "Squat " + std::string(70000, 'x');
    const std::vector<SeriesRecord> session = {SeriesOf(40, {50}, SessionStart),
                                               SeriesOf(60, {40}, SessionStart),
                                               SeriesOf(80, {28}, SessionStart)};
    TempFolder::Write(folder + "one.krvx", EncodeMeasurementFile(header, session));
    TempFolder::Write(folder + "bad.krvx", "not a measurement");
    QDir().mkdir(QString::fromStdString(folder + "sub.krvx"));

    FrameHarness h;
    ASSERT_TRUE(h.router.send(cmd::AnalysisProgress));
    auto* progress = h.frame->findChild<ProgressWindow*>();
    ASSERT_TRUE(progress);
    // The folder is read off the interface thread; its result arrives as an event.
    EXPECT_TRUE(progress->reading());
    EXPECT_EQ(progress->summary()->text(), QString::fromUtf8("Reading\u2026"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !progress->reading(); }, 10000));
    EXPECT_EQ(progress->report().FilesRead, 1);
    ASSERT_EQ(progress->report().Refused.size(), 2u);
    EXPECT_EQ(progress->table()->rowCount(), 1);
    EXPECT_TRUE(progress->summary()->text().contains("bad.krvx: Incompatible data"));
    EXPECT_TRUE(progress->summary()->text().contains("sub.krvx: a folder"));
    EXPECT_EQ(progress->csvText(), ProgressCsv("Anna", progress->report()));
    // The table keeps the exercise whole, the legend shows its beginning, each line in
    // a colour of its own.
    EXPECT_EQ(progress->table()->item(0, 0)->text().size(), 70006);
    for (const ChartSeries& s : progress->chart().series)
        EXPECT_LE(QString::fromStdString(s.name).size(), MaxChartTextLength + 7) << s.name.size();
    EXPECT_EQ(Colours(progress->chart()), progress->chart().series.size());

    // Date ticks at local midnights, one date each; the session lies after its day's.
    const ChartAxis& time = progress->chart().x;
    ASSERT_FALSE(time.ticks.empty());
    std::map<QString, double> ticks;
    for (const ChartTick& tick : time.ticks) {
        const QString label = QString::fromStdString(tick.label);
        EXPECT_TRUE(ticks.emplace(label, tick.value).second) << tick.label;
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(qint64(tick.value));
        EXPECT_EQ(at, QDate::fromString(label, Qt::ISODate).startOfDay()) << tick.label;
    }
    ASSERT_TRUE(ticks.count(LocalDay(SessionStart)));
    const double day = ticks[LocalDay(SessionStart)];
    EXPECT_LE(day, SessionStart * 1000.0);
    EXPECT_GT(day + 86400000.0, SessionStart * 1000.0);

    // A session saved later shows up once the window looks again.
    TempFolder::Write(folder + "two.krvx", EncodeMeasurementFile(header, session));
    FileTimeText = " 02.03.2026 13:00 ";
    EXPECT_TRUE(QTest::qWaitFor([&] { return progress->table()->rowCount() == 2; }, 2000));
}

TEST_F(ProgressWindowTest, ShowsTheChosenExercisesTrendAndBest) {
    TestHeaderRecord header;
    header.Exercise = "Squat";
    // A week apart, each faster at the heavy loads than the one before but the last.
    const int extra[] = {0, 3, 6, 4};
    for (int week = 0; week < 4; ++week) {
        const int32_t at = SessionStart + week * 7 * 86400;
        const std::vector<SeriesRecord> session = {SeriesOf(40, {50}, at),
                                                   SeriesOf(60, {40 + extra[week]}, at),
                                                   SeriesOf(80, {28 + extra[week]}, at)};
        TempFolder::Write(folder + "s" + std::to_string(week) + ".krvx",
                          EncodeMeasurementFile(header, session));
    }
    FrameHarness h;
    ASSERT_TRUE(h.router.send(cmd::AnalysisProgress));
    auto* progress = h.frame->findChild<ProgressWindow*>();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !progress->reading(); }, 10000));
    const auto names = [&] {
        QStringList all;
        for (const ChartSeries& s : progress->chart().series) all << QString::fromStdString(s.name);
        return all;
    };
    EXPECT_EQ(names(), (QStringList{"Squat e1RM", "Squat best v"})); // all exercises
    EXPECT_FALSE(progress->exerciseSummary());

    ASSERT_EQ(progress->shownExerciseBox()->count(), 2);
    progress->shownExerciseBox()->setCurrentIndex(1);
    ASSERT_TRUE(progress->exerciseSummary());
    const ProgressSummary& summary = *progress->exerciseSummary();
    EXPECT_EQ(summary.Sessions, 4);
    ASSERT_TRUE(summary.TrendKgPerWeek && summary.BestE1rm);
    EXPECT_TRUE(progress->summary()->text().endsWith(ProgressSummaryText(summary)));
    EXPECT_EQ(names(),
              (QStringList{"Squat e1RM", "Squat best v", "Squat trend", "Squat best e1RM"}));

    // The trend rises by its kg per week between the first and the last session; the
    // best is marked at the third.
    const std::vector<ChartPoint>& trend = progress->chart().series[2].points;
    ASSERT_EQ(trend.size(), 2u);
    EXPECT_NEAR(trend[1].y - trend[0].y, *summary.TrendKgPerWeek * 3, 1e-6);
    const std::vector<ChartPoint>& best = progress->chart().series[3].points;
    ASSERT_EQ(best.size(), 1u);
    EXPECT_EQ(best[0], (ChartPoint{(SessionStart + 2 * 7 * 86400) * 1000.0, *summary.BestE1rm}));
}

// A registry in a folder of the test with Anna and Ben; Anna is current. Their folders.
std::vector<std::string> AnnaAndBen(const TempFolder& temp) {
    QuorlInit(temp.path() + "/DATA", "KRVDEV");
    std::vector<std::string> folders;
    for (const char* name : {"Anna", "Ben"}) {
        SubjectRecord record;
        record.SubjectName = name;
        folders.push_back(quorl::TheSubjectRegistry().add(record).value_or(""));
    }
    quorl::TheSubjectRegistry().select(folders[0]);
    return folders;
}

TEST(AnalysisWindowsTest, TheExerciseChosenInAWindowIsTheSessionsAndIsSaved) {
    TempFolder temp;
    const std::vector<std::string> folders = AnnaAndBen(temp);
    FrameHarness h;
    FillTable();
    DataSaved = 1;
    ASSERT_TRUE(h.router.send(cmd::AnalysisProfile));
    auto* profile = h.frame->findChild<ProfileWindow*>();
    QComboBox* box = profile->exerciseBox();
    EXPECT_GE(box->findText("Overhead press"), 0);

    box->lineEdit()->setText("Snatch pull");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(TestHeader.Exercise, "Snatch pull");
    EXPECT_EQ(h.view().subjectBar().text(IdExercise), "Snatch pull");
    EXPECT_EQ(DataSaved, 0);
    EXPECT_TRUE(profile->subjectLabel()->text().contains("Exercise: Snatch pull"));
    EXPECT_EQ(LastExercise(folders[0]), "Snatch pull");

    ScriptedPrompts prompts;
    InstallPrompts(&prompts);
    std::string folder;
    QuorlDataFolder(0, folder);
    prompts.saves = {folder + "pull.krvx"};
    ASSERT_TRUE(SaveCommand(*h.frame));
    InstallPrompts(nullptr);
    MeasurementScratch saved;
    ASSERT_EQ(LoadMeasurementFile(folder + "pull.krvx", saved), FileLoadError::None);
    EXPECT_EQ(saved.Header.Exercise, "Snatch pull");
    // The subject's own exercises are offered beside the usual lifts.
    EXPECT_EQ(ExerciseChoices(folder).back(), "Snatch pull");
}

TEST(AnalysisWindowsTest, ChoosingAnAthleteAsksAboutTheSetsAndIsOfferedAgain) {
    TempFolder temp;
    const std::vector<std::string> folders = AnnaAndBen(temp);
    FrameHarness h(AnalysisMenuWith(SwitchSubject));
    FillTable();
    ASSERT_TRUE(h.router.send(cmd::AnalysisProfile));
    QComboBox* box = h.frame->findChild<ProfileWindow*>()->athleteBox();
    EXPECT_EQ(box->currentText(), "Anna");
    const int ben = box->findText("Ben");
    ASSERT_GE(ben, 0);

    ScriptedPrompts prompts;
    InstallPrompts(&prompts);
    prompts.choices = {2, 1}; // Cancel, then "Give them to Ben"
    emit box->activated(ben);
    ASSERT_EQ(prompts.choiceButtons.size(), 1u);
    EXPECT_EQ(prompts.choiceButtons[0][2], "Cancel");
    EXPECT_EQ(quorl::TheSubjectRegistry().current()->folderName, folders[0]);
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Anna");
    EXPECT_EQ(box->currentText(), "Anna");

    emit box->activated(ben);
    InstallPrompts(nullptr);
    EXPECT_EQ(quorl::TheSubjectRegistry().current()->folderName, folders[1]);
    EXPECT_EQ(box->currentText(), "Ben");

    // After a restart no subject is current; the dialog offers the one chosen last.
    quorl::TheSubjectRegistry().clearCurrent();
    quorl::SubjectDialog dialog(quorl::TheSubjectRegistry(), nullptr);
    EXPECT_EQ(dialog.selectedFolder(), folders[1]);
}

} // namespace
} // namespace krovel
