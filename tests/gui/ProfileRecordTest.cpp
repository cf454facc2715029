// The profile window with a subject chosen: the athlete's own threshold, the session
// against the record of the weeks before it, and the loads for today.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "analysis/core/AthleteThresholds.h"
#include "analysis/gui/AnalysisMenu.h"
#include "analysis/gui/ProfileWindow.h"
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

constexpr int32_t Today = 1772452800; // 2026-03-02 12:00 UTC
constexpr int32_t Week = 7 * 86400;

// A squat session at 40, 60 and 80 kg, `slower` device steps (0.02 m/s) below the usual.
std::vector<SeriesRecord> Squat(int32_t start, int slower) {
    return {SeriesOf(40, {30 - slower}, start), SeriesOf(60, {23 - slower}, start),
            SeriesOf(80, {16 - slower}, start)};
}

struct SubjectFolder {
    SubjectFolder() {
        root = temp.path().toStdString() + "/DATA";
        QuorlInit(root, "KRVDEV");
        SubjectRecord anna;
        anna.SubjectName = "Anna";
        quorl::TheSubjectRegistry().add(anna);
        QuorlSelectByData(root + "/Anna");
        QuorlDataFolder(0, folder);
    }
    ~SubjectFolder() { QuorlInit(root, "KRVDEV"); }
    void write(const std::string& name, const std::vector<SeriesRecord>& session) {
        TestHeaderRecord header;
        header.Exercise = "Back squat";
        TempFolder::Write(folder + name, EncodeMeasurementFile(header, session));
    }
    QTemporaryDir temp;
    std::string root, folder;
};

// Today's session, 0.08 m/s slower than the two sessions of the weeks before, is also
// saved in the folder: the record must leave it out.
ProfileWindow* OpenFatiguedSession(FrameHarness& h, SubjectFolder& subject, bool history = true) {
    if (history) {
        subject.write("week1.krvx", Squat(Today - 2 * Week, 0));
        subject.write("week2.krvx", Squat(Today - Week, 0));
    }
    const std::vector<SeriesRecord> today = Squat(Today, 4);
    subject.write("today.krvx", today);
    for (size_t i = 0; i < today.size(); ++i) Series[i] = today[i];
    SeriesCount = int32_t(today.size());
    DataPresent = 1;
    TestHeader.Exercise = "Back squat";
    FileName = "today";
    h.router.send(cmd::AnalysisProfile);
    auto* profile = h.frame->findChild<ProfileWindow*>();
    // The record is read off the interface thread and shown when it arrives.
    if (profile) (void)QTest::qWaitFor([&] { return profile->readiness().has_value(); }, 5000);
    return profile;
}

TEST(ProfileRecordTest, FatiguedSessionIsBelowItsRecord) {
    SubjectFolder subject;
    FrameHarness h;
    ProfileWindow* profile = OpenFatiguedSession(h, subject);
    ASSERT_TRUE(profile);
    ASSERT_TRUE(profile->readiness());
    const Readiness& r = *profile->readiness();
    EXPECT_EQ(r.Verdict, ReadinessVerdict::Below);
    EXPECT_NEAR(r.MeanDifference.value_or(0), -0.08, 1e-6);
    ASSERT_EQ(r.Reference.Sessions.size(), 2u);
    for (const RecordSession& s : r.Reference.Sessions) EXPECT_NE(s.File, "today.krvx");
    EXPECT_TRUE(profile->readinessLabel()->text().contains("Readiness: below usual"));
    EXPECT_TRUE(profile->readinessLabel()->text().contains("Mean difference: -0.080 m/s"));

    // Today's points and line over the record's, each series in a colour of its own.
    std::set<std::tuple<int, int, int>> colours;
    for (const ChartSeries& s : profile->chart().series)
        colours.insert({s.colour.r, s.colour.g, s.colour.b});
    EXPECT_EQ(colours.size(), profile->chart().series.size());
    EXPECT_GE(colours.size(), 7u); // reps, loads, line, MVT, record points and line, e1RM
}

TEST(ProfileRecordTest, LoadsForTodayFollowThePlateStepAndTarget) {
    SubjectFolder subject;
    FrameHarness h;
    ProfileWindow* profile = OpenFatiguedSession(h, subject);
    ASSERT_TRUE(profile && profile->readiness());
    EXPECT_TRUE(profile->loadsSourceLabel()->text().contains("record"));
    for (double plate : {5.0, 0.5}) {
        profile->plateBox()->setCurrentIndex(profile->plateBox()->findData(plate));
        QTableWidget* loads = profile->loadsTable();
        ASSERT_GT(loads->rowCount(), 5);
        for (int row = 0; row < loads->rowCount(); ++row) {
            const double load = loads->item(row, 1)->text().section(' ', 0, 0).toDouble();
            EXPECT_NEAR(std::remainder(load, plate), 0, 1e-9) << load << " at " << plate;
        }
    }
    // A velocity faster than the record's line reaches at zero load has no load.
    profile->targetKindBox()->setCurrentIndex(0);
    profile->targetBox()->setValue(3.0);
    const AthleteRecord& record = profile->readiness()->Reference;
    const PrescriptionResult refused =
        LoadForVelocity(*LineOf(record.Fit, record.Threshold.Value, record.E1rm), 3.0, 0.5);
    ASSERT_FALSE(refused.Refusal.empty());
    EXPECT_EQ(profile->targetLoadLabel()->text().toStdString(), refused.Refusal);
}

TEST(ProfileRecordTest, WithoutRecordLoadsComeFromTheSession) {
    SubjectFolder subject;
    FrameHarness h;
    ProfileWindow* profile = OpenFatiguedSession(h, subject, false);
    ASSERT_TRUE(profile && profile->readiness());
    EXPECT_EQ(profile->readiness()->Verdict, ReadinessVerdict::Unknown);
    EXPECT_TRUE(profile->readinessLabel()->text().contains("Readiness: unknown: No record"));
    EXPECT_TRUE(profile->loadsSourceLabel()->text().contains("session's own profile"));
    EXPECT_GT(profile->loadsTable()->rowCount(), 5);
}

TEST(ProfileRecordTest, ThresholdBecomesTheAthletesOwn) {
    SubjectFolder subject;
    FrameHarness h;
    ProfileWindow* profile = OpenFatiguedSession(h, subject);
    ASSERT_TRUE(profile);
    ASSERT_TRUE(profile->athleteThresholdButton()->isEnabled());
    profile->thresholdBox()->setValue(0.25);
    profile->athleteThresholdButton()->click();
    std::vector<AthleteThreshold> stored;
    const Status read = ReadAthleteThresholds(subject.folder, stored);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(FindAthleteThreshold(stored, "Back squat"), 0.25);
    EXPECT_EQ(profile->profile().Threshold.Source, ThresholdSource::Athlete);
    EXPECT_EQ(profile->profile().Threshold.Value, 0.25);

    // A damaged file is named and left as it was.
    const std::string file = subject.folder + AthleteThresholdsFileName;
    TempFolder::Write(file, "bench press\tfast\n");
    ScriptedPrompts prompts;
    profile->thresholdBox()->setValue(0.3);
    profile->athleteThresholdButton()->click();
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_NE(prompts.texts()[0].find("thresholds.txt"), std::string::npos) << prompts.texts()[0];
    EXPECT_EQ(TempFolder::Read(file), "bench press\tfast\n");
}

} // namespace
} // namespace krovel
