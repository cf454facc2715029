#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/core/AthleteRecord.h"
#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/Readiness.h"
#include "data/core/MeasurementFile.h"
#include "support/SeriesBuilder.h"
#include "support/TempFolder.h"

using namespace krovel;
using krovel::testing::SeriesOf;
using krovel::testing::TempFolder;

namespace {

constexpr int32_t Day = 86400;
constexpr int32_t March30 = 1774872000; // 2026-03-30 12:00 UTC
constexpr int32_t FourWeeks = 28 * Day;

void WriteSession(const TempFolder& folder, const std::string& name, const char* exercise,
                  int32_t start, int step = 0) {
    TestHeaderRecord header;
    header.Exercise = exercise;
    const std::vector<SeriesRecord> series = {SeriesOf(40, {50 + step}, start),
                                              SeriesOf(60, {40 + step}, start),
                                              SeriesOf(80, {30 + step}, start)};
    TempFolder::Write(folder.file(name), EncodeMeasurementFile(header, series));
}

std::vector<std::string> Files(const AthleteRecord& record) {
    std::vector<std::string> files;
    for (const RecordSession& s : record.Sessions) files.push_back(s.File);
    return files;
}

} // namespace

TEST(AthleteRecordTest, TakesTheSessionsOfTheLastWeeksUpToTheNewest) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    WriteSession(folder, "newest.krvx", "Bench Press ", March30);
    WriteSession(folder, "edge.krvx", "bench press", March30 - FourWeeks);
    WriteSession(folder, "older.krvx", "BENCH PRESS", March30 - FourWeeks - 1);
    WriteSession(folder, "undated.krvx", "bench press", 0);
    WriteSession(folder, "squat.krvx", "squat", March30);

    RecordRequest request{folder.path(), "  bench press", {}, 1, std::nullopt, {}};
    AthleteRecord record;
    const Status built = BuildAthleteRecord(request, record);
    ASSERT_TRUE(built) << built.message();
    EXPECT_EQ(Files(record), (std::vector<std::string>{"edge.krvx", "newest.krvx"}));
    ASSERT_EQ(record.Loads.size(), 6u);
    EXPECT_EQ(record.Loads[3].Session, "newest.krvx");
    EXPECT_EQ(record.Warnings.front(), "undated.krvx has no series start time and was left out.");
    // Six points on one line: the line of either session.
    ASSERT_TRUE(record.Fit);
    EXPECT_NEAR(record.Fit->Slope, -0.01, 1e-6);

    request.Window.Weeks = 5;
    ASSERT_TRUE(BuildAthleteRecord(request, record));
    EXPECT_EQ(record.Sessions.size(), 3u);
}

TEST(AthleteRecordTest, ReadinessLeavesOutTheSessionItselfAndLaterOnes) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    // Today is slower by 0.04 m/s at every load than the weeks before.
    WriteSession(folder, "today.krvx", "Squat", March30, -2);
    WriteSession(folder, "same-time.krvx", "Squat", March30, -2);
    WriteSession(folder, "later.krvx", "Squat", March30 + Day, -2);
    WriteSession(folder, "week-before.krvx", "Squat", March30 - 7 * Day);
    WriteSession(folder, "edge.krvx", "Squat", March30 - FourWeeks);
    WriteSession(folder, "too-old.krvx", "Squat", March30 - FourWeeks - 1, -2);

    Readiness readiness;
    const Status built = BuildReadiness({folder.file("today.krvx"), {}, 4, 1}, readiness);
    ASSERT_TRUE(built) << built.message();
    EXPECT_EQ(Files(readiness.Reference),
              (std::vector<std::string>{"edge.krvx", "week-before.krvx"}));
    ASSERT_TRUE(readiness.MeanDifference);
    EXPECT_NEAR(*readiness.MeanDifference, -0.04, 1e-6);
    EXPECT_EQ(readiness.Verdict, ReadinessVerdict::Below);
    ASSERT_EQ(readiness.Loads.size(), 3u);
    EXPECT_NEAR(*readiness.Loads[0].DifferencePct, -0.04 / 1.0 * 100, 1e-4);
}

TEST(AthleteRecordTest, TheBandIsTheRecordsTypicalErrorButNeverBelowThreeCentimetres) {
    struct Case {
        double see;
        double difference;
        ReadinessVerdict verdict;
    } cases[] = {{0.01, 0.035, ReadinessVerdict::Above},
                 {0.05, 0.045, ReadinessVerdict::Usual},
                 {0.05, -0.055, ReadinessVerdict::Below},
                 {0.01, -0.025, ReadinessVerdict::Usual}};
    for (const Case& c : cases) {
        AthleteRecord record;
        record.Fit = LinearFit{1.4, -0.01, 1.0, c.see};
        LoadVelocityProfile today;
        today.Loads = {{40, float(1.0 + c.difference), 1}, {80, float(0.6 + c.difference), 1}};
        const Readiness r = CompareWithRecord(today, record);
        EXPECT_EQ(r.Verdict, c.verdict) << c.see << " " << c.difference;
        EXPECT_DOUBLE_EQ(r.Band, std::max(c.see, 0.03));
    }
    LoadVelocityProfile today;
    today.Loads = {{40, 1.0f, 1}};
    EXPECT_EQ(CompareWithRecord(today, AthleteRecord()).Verdict, ReadinessVerdict::Unknown);
}

TEST(AthleteRecordTest, ThresholdOptionThenAthleteThenExerciseThenDefault) {
    const std::vector<AthleteThreshold> own = {{"Bench Press", 0.22}};
    struct Case {
        std::optional<double> option;
        const char* exercise;
        double value;
        ThresholdSource source;
    } cases[] = {{0.4, "bench press", 0.4, ThresholdSource::Option},
                 {std::nullopt, " BENCH press ", 0.22, ThresholdSource::Athlete},
                 {std::nullopt, "bench", 0.17, ThresholdSource::Exercise},
                 {std::nullopt, "curl", 0.30, ThresholdSource::Default}};
    for (const Case& c : cases) {
        const VelocityThreshold t = ChooseThreshold(c.option, own, c.exercise);
        EXPECT_DOUBLE_EQ(t.Value, c.value) << c.exercise;
        EXPECT_EQ(t.Source, c.source) << c.exercise;
    }
}

TEST(AthleteRecordTest, ThresholdFileRoundTripsAndADamagedOneIsRefusedUntouched) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    ASSERT_TRUE(SetAthleteThreshold(folder.path(), "Squat", 0.3));
    ASSERT_TRUE(SetAthleteThreshold(folder.path(), " bench press ", 0.2));
    ASSERT_TRUE(SetAthleteThreshold(folder.path(), "SQUAT", 0.28));
    const std::string path = folder.file(AthleteThresholdsFileName);
    EXPECT_EQ(TempFolder::Read(path).substr(TempFolder::Read(path).find('\n') + 1),
              "Squat\t0.28\nbench press\t0.2\n");

    const struct {
        const char* text;
        const char* error;
    } damaged[] = {
        {"# thresholds\nsquat 0.3\n", "line 2: expected an exercise, a tab and a velocity"},
        {"squat\t0,3\n", "line 1: '0,3' is not a velocity from 0 to 5.1 m/s"},
        {"\n\t0.3\n", "line 2: no exercise before the tab"},
        {"squat\t0.3\nSquat \t0.25\n", "line 2: \"Squat\" is already set on line 1"},
    };
    for (const auto& d : damaged) {
        TempFolder::Write(path, d.text);
        const Status set = SetAthleteThreshold(folder.path(), "deadlift", 0.15);
        EXPECT_FALSE(set);
        // The file named (with the system's separator), then the line.
        EXPECT_TRUE(
            set.message().ends_with(AthleteThresholdsFileName + (": " + std::string(d.error))))
            << set.message();
        EXPECT_EQ(TempFolder::Read(path), d.text);
        AthleteRecord record;
        EXPECT_FALSE(BuildAthleteRecord({folder.path(), "squat", {}, 1, {}, {}}, record));
    }
}
