// Runs the built krovel-cli's analysis subcommands on files written by the encoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "data/core/MeasurementFile.h"
#include "data/core/Unicode.h"
#include "support/PosixOnly.h"
#include "support/SeriesBuilder.h"
#include "support/TempFolder.h"

using namespace krovel;
using krovel::testing::SeriesOf;
using krovel::testing::TempFolder;

namespace {

constexpr int32_t Noon = 1772452800; // 2026-03-02 12:00 UTC

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class AnalysisCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.ok());
        cli = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "krovel-cli";
        ASSERT_TRUE(std::filesystem::exists(cli)) << cli;
        TestHeaderRecord header;
        header.Exercise = "Squat";
        header.Subject.SubjectName = "Ann";
        file = folder.file("squat.krvx");
        const std::vector<SeriesRecord> series = {
            SeriesOf(40, {50, 45}, Noon), SeriesOf(60, {40}, Noon), SeriesOf(80, {28}, Noon)};
        TempFolder::Write(file, EncodeMeasurementFile(header, series));
    }

    CliRun Run(const std::string& args, const char* locale = "C") {
        const std::string out = folder.file("out.txt"), err = folder.file("err.txt");
        const std::string command = "LC_ALL=" + std::string(locale) + " TZ=UTC '" + cli.string() +
                                    "' " + args + " >'" + out + "' 2>'" + err + "'";
        CliRun run;
        const int raw = std::system(command.c_str());
        run.status = krovel::testing::ExitStatusOf(raw);
        run.out = TempFolder::Read(out);
        run.err = TempFolder::Read(err);
        return run;
    }

    TempFolder folder;
    std::filesystem::path cli;
    std::string file;
};

} // namespace

TEST_F(AnalysisCommandsTest, JsonCarriesEveryFieldUnrounded) {
    CliRun profile = Run("profile '" + file + "' --format json");
    ASSERT_EQ(profile.status, 0) << profile.err;
    EXPECT_EQ(
        profile.out.substr(0, profile.out.find("\"fit\"")),
        "{\n  \"exercise\": \"Squat\",\n  \"mvt\": 0.32,\n  \"mvt_source\": \"exercise\",\n"
        "  \"data\": 1,\n  \"loads\": [\n    {\"mass\": 40.0, \"velocity\": 1.0, \"reps\": 2},\n"
        "    {\"mass\": 60.0, \"velocity\": 0.8, \"reps\": 1},\n"
        "    {\"mass\": 80.0, \"velocity\": 0.56, \"reps\": 1}\n  ],\n  ");
    EXPECT_NE(profile.out.find("\"slope\": -0.01"), std::string::npos) << profile.out;
    EXPECT_NE(profile.out.find("\"quality\": \"good\",\n  \"warnings\": []\n}\n"),
              std::string::npos);

    CliRun own = Run("profile '" + file + "' --format json --mvt 0.25 --data 2");
    EXPECT_NE(own.out.find("\"mvt_source\": \"option\",\n  \"data\": 2"), std::string::npos);

    CliRun loss = Run("velocity-loss '" + file + "' --format json");
    ASSERT_EQ(loss.status, 0) << loss.err;
    EXPECT_EQ(loss.out,
              "[\n  {\"series\": 1, \"mass\": 40.0, \"reps\": 2, \"best\": 1.0, \"last\": "
              "0.9, \"loss_pct\": 10.0, \"max_loss_pct\": 10.0}\n]\n");

    TempFolder::Write(folder.file("zz.krvx"), "truncated");
    CliRun progress = Run("progress '" + folder.path() + "' --format json");
    ASSERT_EQ(progress.status, 0) << progress.err;
    EXPECT_NE(progress.out.find("\"files_read\": 1,\n  \"refused\": [\n    {\"file\": \"zz.krvx\", "
                                "\"reason\": \"Incompatible data\"}\n  ]"),
              std::string::npos)
        << progress.out;
    EXPECT_NE(progress.out.find("{\"file\": \"squat.krvx\", \"date\": \"2026-03-02\", \"e1rm\": "),
              std::string::npos)
        << progress.out;
}

TEST_F(AnalysisCommandsTest, TextFollowsTheLocaleAndCsvUsesPoints) {
    CliRun text = Run("profile '" + file + "'", "de_DE.UTF-8");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("e1RM: 102,4 kg"), std::string::npos) << text.out;
    CliRun csv = Run("velocity-loss '" + file + "' --format csv", "de_DE.UTF-8");
    EXPECT_EQ(csv.out, "Athlete,Ann\r\nDate,2026-03-02\r\nFile,squat\r\n\r\n"
                       "Series,Load (kg),Repetitions,Best v (m/s),Last v (m/s),Loss (%),Max loss "
                       "(%)\r\n1,40.0,2,1.00,0.90,10.0,10.0\r\n");
    // The profile's CSV: whose data, the summary, then the loads.
    CliRun profile = Run("profile '" + file + "' --format csv");
    EXPECT_EQ(profile.out.substr(0, profile.out.find("MVT (m/s)")),
              "Athlete,Ann\r\nDate,2026-03-02\r\nFile,squat\r\n\r\nQuantity,Value\r\n"
              "Exercise,Squat\r\n");
    EXPECT_NE(profile.out.find("\r\n\r\nLoad (kg),Mean v (m/s),Repetitions\r\n"),
              std::string::npos);

    // A mass that is not a number is undefined: empty in CSV, "-" in text, null in JSON.
    const std::string damaged = folder.file("damaged.krvx");
    const std::vector<SeriesRecord> series = {SeriesOf(std::nanf(""), {50, 45}, Noon)};
    TempFolder::Write(damaged, EncodeMeasurementFile(TestHeaderRecord{}, series));
    EXPECT_NE(Run("velocity-loss '" + damaged + "' --format csv")
                  .out.find("\r\n1,,2,1.00,0.90,10.0,10.0\r\n"),
              std::string::npos);
    const CliRun lossText = Run("velocity-loss '" + damaged + "'");
    EXPECT_NE(lossText.out.find("\n     1          -            2 "), std::string::npos)
        << lossText.out;
    EXPECT_NE(Run("velocity-loss '" + damaged + "' --format json").out.find("\"mass\": null,"),
              std::string::npos);
}

TEST_F(AnalysisCommandsTest, ProgressNamesOfAnyBytesAndTextsStaySafeInEveryFormat) {
    TestHeaderRecord header;
    header.Exercise = "=HYPERLINK(\"http://x\")";
    const std::vector<SeriesRecord> series = {SeriesOf(40, {50}, Noon)};
    TempFolder::Write(folder.file("@evil.krvx"), EncodeMeasurementFile(header, series));
    header.Exercise = std::string("nul\0here", 8);
    TempFolder::Write(folder.file("caf\xe9.krvx"), EncodeMeasurementFile(header, series));
    ASSERT_TRUE(krovel::testing::MakeNamedPipe(folder.file("pipe.krvx")));
    const std::string replaced = "\xEF\xBF\xBD";

    CliRun csv = Run("progress '" + folder.path() + "' --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.out.find("Refused,pipe.krvx,not a regular file\r\n"), std::string::npos);
    EXPECT_NE(csv.out.find("\r\n\"'=HYPERLINK(\"\"http://x\"\")\",2026-03-02,'@evil.krvx,"),
              std::string::npos)
        << csv.out;
    EXPECT_NE(csv.out.find("\r\nnul" + replaced + "here,"), std::string::npos) << csv.out;

    CliRun json = Run("progress '" + folder.path() + "' --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(ValidUtf8(json.out), json.out) << json.out;
    EXPECT_NE(json.out.find("{\"file\": \"caf" + replaced +
                            ".krvx\", \"file_bytes\": \"636166e92e6b727678\", \"date\""),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("{\"exercise\": \"nul\\u0000here\""), std::string::npos);
    EXPECT_NE(json.out.find("{\"file\": \"pipe.krvx\", \"reason\": \"not a regular file\"}"),
              std::string::npos);

    CliRun text = Run("progress '" + folder.path() + "'");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Refused: pipe.krvx: not a regular file\n"), std::string::npos);
    EXPECT_NE(text.out.find("\nnul" + replaced + "here "), std::string::npos) << text.out;
}

TEST_F(AnalysisCommandsTest, PrescribeReadsTheLineOfAFolderOrOfOneFile) {
    // The folder's second squat session (another case) pools with the first.
    TestHeaderRecord header;
    header.Exercise = "squat ";
    TempFolder::Write(folder.file("squat2.krvx"),
                      EncodeMeasurementFile(header, std::vector<SeriesRecord>{
                                                        SeriesOf(100, {18}, Noon + 7 * 86400)}));
    CliRun record = Run("prescribe '" + folder.path() + "' --exercise SQUAT --format json");
    ASSERT_EQ(record.status, 0) << record.err;
    EXPECT_NE(record.out.find("\"source\": \"record\""), std::string::npos) << record.out;
    EXPECT_NE(record.out.find("\"rows\": [\n    {\"percent\": 40, \"velocity\": "),
              std::string::npos);

    // The file alone: e1RM 102.4 kg, half of it 51.2, to the nearest 0.5 kg 51.0.
    CliRun session = Run("prescribe '" + file + "' --percent 50 --plate 0.5 --format json");
    ASSERT_EQ(session.status, 0) << session.err;
    EXPECT_NE(session.out.find("\"source\": \"session\""), std::string::npos);
    EXPECT_NE(session.out.find("\"target\": 50.0,\n  \"load\": 51.0,"), std::string::npos)
        << session.out;

    for (const char* target : {"--velocity 2", "--velocity 0.1", "--percent 101"}) {
        CliRun refused = Run("prescribe '" + file + "' " + target);
        EXPECT_EQ(refused.status, 2) << target;
        EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
    }
}

TEST_F(AnalysisCommandsTest, VelocityLossStopAndProgressSummaryInEachFormat) {
    const std::string lossFile = folder.file("loss.krvx");
    TestHeaderRecord header;
    header.Exercise = "Squat";
    TempFolder::Write(lossFile, EncodeMeasurementFile(header, std::vector<SeriesRecord>{
                                                                  SeriesOf(60, {50, 0, 45, 40, 30}),
                                                                  SeriesOf(60, {50, 48})}));
    CliRun json = Run("velocity-loss '" + lossFile + "' --stop 20 --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"max_loss_pct\": 40.0, \"stop_at\": 4}"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"stop_at\": null}"), std::string::npos);
    CliRun csv = Run("velocity-loss '" + lossFile + "' --stop 20 --format csv");
    EXPECT_NE(csv.out.find("Max loss (%),Stop at rep\r\n1,60.0,"), std::string::npos);
    EXPECT_NE(csv.out.find(",1.00,0.60,40.0,40.0,4\r\n"), std::string::npos) << csv.out;

    // At 0.4 m/s instead of the squat's 0.3 the file's e1RM is 95.1 kg, not 104.2.
    CliRun progress = Run("progress '" + folder.path() + "' --format json --mvt 0.4");
    ASSERT_EQ(progress.status, 0) << progress.err;
    EXPECT_NE(progress.out.find("{\"exercise\": \"Squat\", \"summary\": {\"sessions\": 2, "
                                "\"first_date\": \"2026-03-02\", \"last_date\": "
                                "\"2026-03-02\", \"best_e1rm\": 95.1"),
              std::string::npos)
        << progress.out;
    EXPECT_NE(progress.out.find("\"trend_kg_per_week\": null}"), std::string::npos);
}

TEST_F(AnalysisCommandsTest, BadInputIsRefusedWithAMessage) {
    for (const std::string& args : std::vector<std::string>{
             "profile '" + file + "' --mvt fast", "profile '" + file + "' --data 0",
             "profile '" + folder.file("missing.krvx") + "'", "velocity-loss",
             "progress '" + folder.file("missing") + "'",
             "progress '" + folder.path() + "' --format xml",
             "record '" + folder.path() + "' --exercise curl",
             "record '" + folder.path() + "' --exercise squat --mvt 0.3 --set-mvt 0.3",
             "readiness '" + folder.file("missing.krvx") + "'",
             "exercise '" + folder.file("missing.krvx") + "' Squat",
             "velocity-loss '" + file + "' --stop 51", "prescribe '" + file + "' --plate 0",
             "prescribe '" + folder.path() + "'"}) {
        SCOPED_TRACE(args);
        CliRun run = Run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(AnalysisCommandsTest, ExerciseIsPrintedAndRenamedInPlace) {
    EXPECT_EQ(Run("exercise '" + file + "'").out, "Squat\n");
    CliRun set = Run("exercise '" + file + "' 'Back squat'");
    ASSERT_EQ(set.status, 0) << set.err;
    MeasurementScratch scratch;
    ASSERT_EQ(LoadMeasurementFile(file, scratch), FileLoadError::None);
    EXPECT_EQ(scratch.Header.Exercise, "Back squat");
    EXPECT_EQ(scratch.Header.Subject.SubjectName, "Ann");
    EXPECT_EQ(TempFolder::Read(file), EncodeMeasurementFile(scratch.Header, scratch.Series));
}

TEST_F(AnalysisCommandsTest, RecordKeepsTheAthletesThresholdAndReadinessComparesWithIt) {
    // An earlier session a week before, 0.04 m/s faster at every load.
    TestHeaderRecord header;
    header.Exercise = " squat";
    const std::vector<SeriesRecord> earlier = {SeriesOf(40, {52, 47}, Noon - 7 * 86400),
                                               SeriesOf(60, {42}, Noon - 7 * 86400),
                                               SeriesOf(80, {30}, Noon - 7 * 86400)};
    TempFolder::Write(folder.file("earlier.krvx"), EncodeMeasurementFile(header, earlier));

    CliRun record =
        Run("record '" + folder.path() + "' --exercise SQUAT --set-mvt 0.25 --format json");
    ASSERT_EQ(record.status, 0) << record.err;
    EXPECT_EQ(record.out.substr(0, record.out.find("\"loads\"")),
              "{\n  \"exercise\": \"SQUAT\",\n  \"mvt\": 0.25,\n  \"mvt_source\": \"athlete\",\n"
              "  \"weeks\": 4,\n  \"sessions\": [\"earlier.krvx\", \"squat.krvx\"],\n  ");
    EXPECT_NE(record.out.find("{\"mass\": 40.0, \"velocity\": 1.04, \"session\": "
                              "\"earlier.krvx\"}"),
              std::string::npos)
        << record.out;
    // The profile of a file in the folder takes the athlete's threshold; --mvt goes first.
    EXPECT_NE(Run("profile '" + file + "' --format json").out.find("\"mvt_source\": \"athlete\""),
              std::string::npos);
    EXPECT_NE(Run("profile '" + file + "' --format json --mvt 0.2")
                  .out.find("\"mvt_source\": \"option\""),
              std::string::npos);

    CliRun readiness = Run("readiness '" + file + "' --format json");
    ASSERT_EQ(readiness.status, 0) << readiness.err;
    EXPECT_NE(readiness.out.find("\"reference\": {\"sessions\": [\"earlier.krvx\"], \"fit\": {"),
              std::string::npos)
        << readiness.out;
    EXPECT_NE(readiness.out.find("\"band\": 0.03,\n  \"verdict\": \"below\""), std::string::npos)
        << readiness.out;

    // A damaged thresholds file is named, line and all, and nothing is written.
    const std::string thresholds = folder.file("thresholds.txt");
    TempFolder::Write(thresholds, "squat\t0.25\nbench 0.17\n");
    for (const std::string& args : {"record '" + folder.path() + "' --exercise squat --set-mvt 0.3",
                                    "profile '" + file + "'", "readiness '" + file + "'"}) {
        CliRun refused = Run(args);
        EXPECT_EQ(refused.status, 2) << args;
        EXPECT_NE(refused.err.find(thresholds + ": line 2: "), std::string::npos) << refused.err;
    }
    EXPECT_EQ(TempFolder::Read(thresholds), "squat\t0.25\nbench 0.17\n");
}
