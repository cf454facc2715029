// Runs the built krovel-cli on files written by the program's own encoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "measure/core/RepTableText.h"
#include "measure/core/SpreadsheetExport.h"
#include "support/LocaleGuard.h"
#include "support/PosixOnly.h"
#include "support/TempFolder.h"

using namespace krovel;
using krovel::testing::LocaleGuard;
using krovel::testing::TempFolder;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class ReportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.ok());
        cli = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "krovel-cli";
        ASSERT_TRUE(std::filesystem::exists(cli)) << cli;

        // Two series of 20 kg: five repetitions (mean powers 196.20, 392.40, 196.20,
        // 392.40, 98.10 W) and one repetition.
        std::vector<SeriesRecord> series(2);
        const int bytes[] = {50, 100, 50, 100, 25};
        for (SeriesRecord& s : series) {
            s.Mass = 20.0f;
            s.SignalBelowPct = 90;
            s.SignalAbovePct = 100;
        }
        series[0].RepCount = 5;
        for (int r = 0; r < 5; ++r) {
            series[0].MeanVelocity[r] = static_cast<uint8_t>(bytes[r]);
            series[0].MaxVelocity[r] = 50;
            series[0].MaxPower[r] = 431.75f;
        }
        series[1].RepCount = 1;
        series[1].MeanVelocity[0] = 40;
        file = folder.file("two sets.krvx");
        TempFolder::Write(file, EncodeMeasurementFile(TestHeaderRecord{}, series));
    }

    CliRun Run(const std::string& args, const char* locale = "C") {
        const std::string out = folder.file("out"), err = folder.file("err");
        std::string command = "LC_ALL=" + std::string(locale) + " '" + cli.string() + "' report " +
                              args + " >'" + out + "' 2>'" + err + "'";
        CliRun run;
        int raw = std::system(command.c_str());
        run.status = krovel::testing::ExitStatusOf(raw);
        run.out = TempFolder::Read(out);
        run.err = TempFolder::Read(err);
        return run;
    }
    std::string Quoted(const std::string& path) { return "'" + path + "'"; }

    TempFolder folder;
    std::filesystem::path cli;
    std::string file;
};

TEST_F(ReportCommandTest, TextShowsTitlesAndCellsAsTheTable) {
    CliRun run = Run(Quoted(file) + " --interval 2");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        run.out,
        "  Rep No  Weight (kg)  Force (N)  v mean(m/s)  v max(m/s)  P mean(W)       %  P max(W)\n"
        "   1-  2        20.00     196.20         1.50        1.50     294.30    75.0    431.75\n"
        "   3-  4        20.00     196.20         1.50        1.50     294.30    75.0    431.75\n"
        "   5-  5        20.00     196.20         0.50        1.50      98.10    25.0    431.75\n");

    run = Run(Quoted(file) + " --series 2");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\n   1-  1        20.00     196.20         0.80"), std::string::npos)
        << run.out;
}

TEST_F(ReportCommandTest, CommaLocaleShowsCommasInTextAndPointsInCsv) {
    CliRun text = Run(Quoted(file) + " --format text", "de_DE.UTF-8");
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("   1-  1        20,00     196,20         1,00        1,50     196,20"),
              std::string::npos)
        << text.out;

    CliRun csv = Run(Quoted(file) + " --interval 5 --format csv", "de_DE.UTF-8");
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out,
              "Rep No,Weight (kg),Force (N),v mean(m/s),v max(m/s),P mean(W),%,P max(W)\r\n"
              "1-  5,20.00,196.20,1.30,1.50,255.06,65.0,431.75\r\n");
}

TEST_F(ReportCommandTest, XmlIsTheWorkbookTheExportButtonWrites) {
    CliRun run = Run(Quoted(file) + " --series 2 --format xml", "de_DE.UTF-8");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(">Repetition No: 2\r\n </"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(">Weight: 20,00\r\n </"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("<ss:Data ss:Type=\"Number\">0.80</ss:Data>"), std::string::npos);

    // What the button writes for the same series shown in the same locale.
    LocaleGuard comma("de_DE.UTF-8");
    ASSERT_TRUE(comma.ok());
    auto scratch = std::make_unique<MeasurementScratch>();
    ASSERT_EQ(LoadMeasurementFile(file, *scratch), FileLoadError::None);
    CommitMeasurementScratch(*scratch);
    CurrentSeries = 1;
    EXPECT_EQ(run.out, SpreadsheetWorkbookOfCurrentSeries(DigitalReportRows(1, 0)));
}

TEST_F(ReportCommandTest, RefusesWhatItCannotReport) {
    struct Case {
        std::string args;
        const char* message;
    } cases[] = {
        {Quoted(file) + " --series 3", "series 3 is out of range"},
        {Quoted(file) + " --series 0", "series 0 is out of range"},
        {Quoted(file) + " --interval 6", "interval 6 is out of range"},
        {Quoted(file) + " --interval 0", "interval 0 is out of range"},
        {Quoted(file) + " --interval 2x", "whole number"},
        {Quoted(file) + " --format ods", "unknown format"},
        {Quoted(file) + " --series", "'--series'"},
        {Quoted(file) + " --bogus=1", "'bogus'"},
        {"", "no FILE"},
        {Quoted(folder.file("missing.krvx")), "missing.krvx: No such file or directory"},
    };
    for (const Case& c : cases) {
        CliRun run = Run(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_TRUE(run.out.empty()) << c.args;
        // One line naming what was refused, without a usage dump after it.
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
    }

    TempFolder::Write(folder.file("junk.krvx"), "not a measurement");
    CliRun junk = Run(Quoted(folder.file("junk.krvx")));
    EXPECT_EQ(junk.status, 2);
    EXPECT_NE(junk.err.find("Incompatible data"), std::string::npos) << junk.err;
}

} // namespace
