#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/SessionProgress.h"
#include "data/core/MeasurementFile.h"
#include "support/PosixOnly.h"
#include "support/SeriesBuilder.h"
#include "support/TempFolder.h"

using namespace krovel;
using krovel::testing::SeriesOf;
using krovel::testing::TempFolder;

namespace {

// 2026-03-02 12:00 UTC and a week later: noon keeps the date in every time zone.
constexpr int32_t March2 = 1772452800, March9 = March2 + 7 * 86400;

void WriteSession(const TempFolder& folder, const char* name, const char* exercise,
                  const std::vector<SeriesRecord>& series) {
    TestHeaderRecord header;
    header.Exercise = exercise;
    TempFolder::Write(folder.file(name), EncodeMeasurementFile(header, series));
}

} // namespace

TEST(SessionProgressTest, SessionsByExerciseInDateOrderPastARefusedFile) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    // The later session sorts first by name; the undated series 0 does not date it, and
    // the impossible mass of its last series adds nothing to the volume.
    WriteSession(folder, "a.krvx", "Squat",
                 {SeriesOf(40, {52}), SeriesOf(60, {42, 40}, March9),
                  SeriesOf(80, {30}, March9 + 600), SeriesOf(-60, {35}, March9 + 900)});
    WriteSession(
        folder, "b.KRVX", "Squat",
        {SeriesOf(40, {50}, March2), SeriesOf(60, {40}, March2), SeriesOf(80, {28}, March2)});
    WriteSession(folder, "c.krvx", "Bench press", {SeriesOf(50, {30, 25}, March2)});
    TempFolder::Write(folder.file("broken.krvx"), "Marvolen_KrovelDevice_V1.2");
    TempFolder::Write(folder.file("notes.txt"), "not a measurement");

    ProgressReport report;
    const Status built = BuildProgress({folder.path(), 1, std::nullopt}, report);
    ASSERT_TRUE(built) << built.message();
    EXPECT_EQ(report.FilesRead, 3);
    ASSERT_EQ(report.Refused.size(), 1u);
    EXPECT_EQ(report.Refused[0].File, "broken.krvx");
    EXPECT_EQ(report.Refused[0].Reason, "Incompatible data");

    ASSERT_EQ(report.Exercises.size(), 2u);
    const ExerciseProgress& squat = report.Exercises[1];
    EXPECT_EQ(squat.Exercise, "Squat");
    ASSERT_EQ(squat.Sessions.size(), 2u);
    const SessionSummary& first = squat.Sessions[0];
    EXPECT_EQ(first.File, "b.KRVX");
    EXPECT_EQ(first.Date, "2026-03-02");
    EXPECT_NEAR(*first.E1rm, (0.32 - 1.4466667) / -0.011, 1e-3);
    EXPECT_EQ(first.Quality, ProfileQuality::Good);
    EXPECT_EQ(first.Loads, 3);
    const SessionSummary& second = squat.Sessions[1];
    EXPECT_EQ(second.Date, "2026-03-09");
    EXPECT_EQ(second.Repetitions, 5);
    EXPECT_EQ(second.Loads, 3);
    EXPECT_DOUBLE_EQ(second.VolumeKg, 40 + 120 + 80);
    EXPECT_DOUBLE_EQ(*second.BestVelocity, 1.04);

    ProgressReport bench;
    ASSERT_TRUE(BuildProgress({folder.path(), 1, std::string("BENCH PRESS")}, bench));
    ASSERT_EQ(bench.Exercises.size(), 1u);
    EXPECT_EQ(bench.Exercises[0].Sessions[0].Loads, 1);
    EXPECT_FALSE(bench.Exercises[0].Sessions[0].E1rm);

    const Status missing = BuildProgress({folder.file("missing"), 1, std::nullopt}, report);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("missing"), std::string::npos);
}

TEST(SessionProgressTest, EntriesThatAreNoFileAreNamedWithTheirReason) {
    SKIP_ON_WINDOWS("named pipes and symbolic links");
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    namespace fs = std::filesystem;
    WriteSession(folder, "a.krvx", "Squat", {SeriesOf(40, {50}, March2)});
    fs::create_symlink("a.krvx", folder.file("b-link.krvx")); // a link to a file is read
    fs::create_directory(folder.file("c-folder.krvx"));
    ASSERT_TRUE(krovel::testing::MakeNamedPipe(folder.file("d-pipe.krvx")));
    fs::create_symlink("missing.krvx", folder.file("e-dangling.krvx"));
    fs::create_symlink("f-loop.krvx", folder.file("f-loop.krvx"));

    ProgressReport report;
    const Status built = BuildProgress({folder.path(), 1, std::nullopt}, report);
    ASSERT_TRUE(built) << built.message();
    EXPECT_EQ(report.FilesRead, 2);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"c-folder.krvx", "a folder"},
        {"d-pipe.krvx", "not a regular file"},
        {"e-dangling.krvx", "a dangling link"},
        {"f-loop.krvx", "Too many levels of symbolic links"}};
    std::vector<std::pair<std::string, std::string>> refused;
    for (const RefusedFile& r : report.Refused) refused.emplace_back(r.File, r.Reason);
    EXPECT_EQ(refused, expected);
}

TEST(SessionProgressTest, ExercisesGroupIgnoringCaseAndSurroundingBlanks) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    WriteSession(folder, "a.krvx", " Back Squat", {SeriesOf(40, {50}, March2)});
    WriteSession(folder, "b.krvx", "back squat\t", {SeriesOf(40, {50}, March9)});
    WriteSession(folder, "c.krvx", "Back  Squat", {SeriesOf(40, {50}, March9)});
    ProgressReport report;
    const Status built = BuildProgress({folder.path(), 1, std::string(" BACK SQUAT ")}, report);
    ASSERT_TRUE(built) << built.message();
    ASSERT_EQ(report.Exercises.size(), 1u);
    EXPECT_EQ(report.Exercises[0].Exercise, "Back Squat");
    EXPECT_EQ(report.Exercises[0].Sessions.size(), 2u);
}

TEST(SessionProgressTest, TheOptionThenTheAthletesThresholdThenTheExercises) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    // v = 1.4 - 0.01 m: e1RM 108 kg at the squat's 0.32 m/s, 90 at 0.5, 80 at 0.6.
    WriteSession(folder, "a.krvx", "Squat",
                 {SeriesOf(40, {50}, March2), SeriesOf(80, {30}, March2)});
    std::string error;
    auto e1rm = [&](std::optional<double> option) {
        ProgressRequest request{folder.path(), 1, std::nullopt, option};
        ProgressReport report;
        const Status built = BuildProgress(request, report);
        error = built.message();
        return built ? report.Exercises.at(0).Sessions.at(0).E1rm.value_or(0) : -1.0;
    };
    EXPECT_NEAR(e1rm(std::nullopt), 108, 1e-3);
    const Status set = SetAthleteThreshold(folder.path(), " SQUAT", 0.5);
    ASSERT_TRUE(set) << set.message();
    EXPECT_NEAR(e1rm(std::nullopt), 90, 1e-3);
    EXPECT_NEAR(e1rm(0.6), 80, 1e-3);

    TempFolder::Write(folder.file(AthleteThresholdsFileName), "squat\tfast\n");
    EXPECT_EQ(e1rm(std::nullopt), -1.0);
    EXPECT_NE(error.find("line 1"), std::string::npos) << error;
}
