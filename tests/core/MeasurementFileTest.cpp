// Loading and saving measurement files against the process-wide model.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "data/core/ByteStream.h"
#include "data/core/MeasurementFile.h"
#include "support/FileSizeLimit.h"
#include "support/PosixOnly.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

using namespace krovel;
using krovel::testing::FileSizeLimit;
using krovel::testing::ScriptedPrompts;
using krovel::testing::TempFolder;

namespace {

// Everything a load may change, to prove a refused load changed nothing.
struct ModelSnapshot {
    std::vector<uint8_t> series;
    int32_t seriesCount, dataSaved, dataPresent;
    std::string name, comment, exercise, sport;
    int32_t sex, height, bodyWeight, below, above;
    float barbell;

    static ModelSnapshot Take() {
        ModelSnapshot s;
        s.series.resize(sizeof Series);
        std::memcpy(s.series.data(), Series, sizeof Series);
        s.seriesCount = SeriesCount;
        s.dataSaved = DataSaved;
        s.dataPresent = DataPresent;
        const SubjectRecord& r = TestHeader.Subject;
        s.name = r.SubjectName, s.comment = r.Comment;
        s.exercise = TestHeader.Exercise, s.sport = TestHeader.Sport;
        s.sex = r.Sex, s.height = r.Height, s.bodyWeight = r.BodyWeight;
        s.below = TestHeader.SignalBelowPct, s.above = TestHeader.SignalAbovePct;
        s.barbell = TestHeader.BarbellWeight;
        return s;
    }
    bool operator==(const ModelSnapshot&) const = default;
};

void FillSeries(int index, int reps, uint8_t seed) {
    SeriesRecord& s = Series[index];
    s.RepCount = reps;
    s.Mass = 40.0f + seed;
    s.SignalBelowPct = 70 + seed % 20;
    s.SignalAbovePct = 100 + seed % 10;
    s.StartTime = 1300000000 + seed * 60;
    for (int r = 0; r < MaxRepetitions; ++r) {
        s.MeanVelocity[r] = static_cast<uint8_t>(seed + r);
        s.MaxVelocity[r] = static_cast<uint8_t>(seed * 3 + r);
        s.MaxPower[r] = 100.25f * seed + r;
    }
}

// An old model that a load must either replace or leave alone.
void FillOldModel() {
    for (int i = 0; i < 3; ++i) FillSeries(i, 10 + i, static_cast<uint8_t>(i + 1));
    SeriesCount = 3;
    TestHeader.Subject = {"Old", SexMale, 5, 190, 90, "old comment", "spare1", "spare2"};
    TestHeader.Exercise = "Bench";
    TestHeader.Sport = "Rowing";
    DataSaved = 0;
    DataPresent = 0;
}

std::string ExampleFile() {
    TestHeaderRecord h;
    h.Subject.SubjectName = "Ann";
    h.Subject.Sex = SexFemale;
    h.Subject.Height = 170;
    h.Subject.BodyWeight = 65;
    std::vector<SeriesRecord> series(2, SeriesRecord{});
    series[0].RepCount = 2;
    series[0].Mass = 60.0f;
    series[1].RepCount = 1;
    series[1].Mass = 62.5f;
    series[1].SignalBelowPct = 85;
    series[1].SignalAbovePct = 110;
    series[1].MeanVelocity[0] = 44;
    return EncodeMeasurementFile(h, series);
}

// A file with the given series and repetition counts and enough bytes behind them.
std::string FileWithCounts(int32_t seriesCount, int32_t repCount) {
    ByteWriter w;
    w.u8(26);
    w.bytes(MeasurementMagicV12, 26);
    w.u8(0);
    for (int i = 0; i < 3; ++i) w.i32(0);
    for (int i = 0; i < 3; ++i) w.u8(0);
    w.i32(seriesCount);
    for (int i = 0; i < std::max(seriesCount, 1); ++i) {
        w.i32(repCount);
        for (int k = 0; k < 4; ++k) w.i32(0);
        for (int k = 0; k < std::max(repCount, 0); ++k) w.bytes("\0\0\0\0\0\0", 6);
    }
    return w.take();
}

} // namespace

class MeasurementFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        ASSERT_TRUE(folder.ok());
    }
    void TearDown() override { ResetDataModel(); }
    TempFolder folder;
    ScriptedPrompts prompts;
    std::string path = folder.file("run.krvx");
};

TEST_F(MeasurementFileTest, LoadReplacesTheTableAndKeepsWhatTheFileDoesNotHold) {
    FillOldModel();
    TempFolder::Write(path, ExampleFile());
    ASSERT_TRUE(ReadMeasurementFile(path));
    EXPECT_TRUE(prompts.messages.empty());

    EXPECT_EQ(SeriesCount, 2);
    EXPECT_EQ(TestHeader.Subject.SubjectName, "Ann");
    EXPECT_EQ(TestHeader.Subject.Comment, "");
    EXPECT_EQ(TestHeader.Exercise, "");
    EXPECT_EQ(TestHeader.Subject.SubjectSpare, 5);
    EXPECT_EQ(TestHeader.Subject.SubjectSpareText1, "spare1");
    EXPECT_EQ(Series[1].MeanVelocity[0], 44);
    // Elements beyond RepCount and entries beyond SeriesCount keep their old values.
    EXPECT_EQ(Series[1].MeanVelocity[1], 2 + 1);
    EXPECT_EQ(Series[2].RepCount, 12);
    // The working values are those of the last series.
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 62.5f);
    EXPECT_EQ(TestHeader.SignalBelowPct, 85);
    EXPECT_EQ(TestHeader.SignalAbovePct, 110);
    EXPECT_EQ(DataSaved, 1);
    EXPECT_EQ(DataPresent, 1);
}

TEST_F(MeasurementFileTest, EmptyTableTakesLimitsFromEntryZero) {
    FillOldModel();
    TempFolder::Write(path, FileWithCounts(0, 0));
    ASSERT_TRUE(ReadMeasurementFile(path));
    EXPECT_EQ(SeriesCount, 0);
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, Series[0].Mass);
    EXPECT_EQ(TestHeader.SignalBelowPct, Series[0].SignalBelowPct);
}

TEST_F(MeasurementFileTest, RefusedFilesChangeNothing) {
    std::vector<std::string> refused;
    std::string good = ExampleFile();
    for (size_t n = 0; n < good.size(); ++n) refused.push_back(good.substr(0, n));
    refused.push_back(FileWithCounts(MaxSeries + 1, 0));
    refused.push_back(FileWithCounts(-1, 0));
    refused.push_back(FileWithCounts(1, MaxRepetitions + 1));
    refused.push_back(FileWithCounts(1, -1));
    refused.push_back(FileWithCounts(900, 0).substr(0, 200)); // count far beyond the bytes
    std::string huge = good;
    huge.replace(27, 4,
                 "\xff\xff\xff\xff\xff\xff\xff\x00\x00\x00\x80\x00\x00\x00\x00"
                 "Ann",
                 18);
    refused.push_back(huge);

    FillOldModel();
    const ModelSnapshot before = ModelSnapshot::Take();
    for (size_t i = 0; i < refused.size(); ++i) {
        prompts.messages.clear();
        TempFolder::Write(path, refused[i]);
        EXPECT_FALSE(ReadMeasurementFile(path)) << i;
        EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Incompatible data"}) << i;
        EXPECT_TRUE(ModelSnapshot::Take() == before) << i;
    }

    prompts.messages.clear();
    EXPECT_FALSE(ReadMeasurementFile(folder.file("missing.krvx")));
    EXPECT_FALSE(ReadMeasurementFile(folder.path()));
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"Error opening file", "Error opening file"}));
    EXPECT_TRUE(ModelSnapshot::Take() == before);
}

TEST_F(MeasurementFileTest, LimitsThemselvesAreAccepted) {
    TempFolder::Write(path, FileWithCounts(MaxSeries, MaxRepetitions));
    ASSERT_TRUE(ReadMeasurementFile(path));
    EXPECT_EQ(SeriesCount, MaxSeries);
    EXPECT_EQ(Series[MaxSeries - 1].RepCount, MaxRepetitions);
}

TEST_F(MeasurementFileTest, FullTableSurvivesSaveAndLoad) {
    for (int i = 0; i < MaxSeries; ++i) FillSeries(i, MaxRepetitions, static_cast<uint8_t>(i));
    SeriesCount = MaxSeries;
    TestHeader.Subject.SubjectName = "\xD0\x9C\xD0\xB0\xD1\x88\xD0\xB0 M\xC3\xBCller \xE2\x82\xAC";
    TestHeader.Subject.Comment = "line\nbreak";
    DataSaved = 0;
    ASSERT_TRUE(WriteMeasurementFile(path));
    EXPECT_EQ(DataSaved, 1);
    const ModelSnapshot saved = ModelSnapshot::Take();

    ResetDataModel();
    ASSERT_TRUE(ReadMeasurementFile(path));
    ModelSnapshot loaded = ModelSnapshot::Take();
    EXPECT_EQ(loaded.series, saved.series);
    EXPECT_EQ(loaded.name, saved.name);
    EXPECT_EQ(loaded.comment, saved.comment);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MeasurementFileTest, SaveReplacesTheLinkedFileAndKeepsItsPermissions) {
    SKIP_ON_WINDOWS("symbolic links need a privilege, and there are no permission bits");
    // link.krvx -> sub/real.krvx, a private file.
    std::filesystem::create_directory(folder.file("sub"));
    const std::string real = folder.file("sub/real.krvx");
    TempFolder::Write(real, "old");
    namespace fs = std::filesystem;
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    std::filesystem::create_symlink("sub/real.krvx", folder.file("link.krvx"));
    FillOldModel();
    prompts.answers.push_back(Answer::Yes);
    ASSERT_TRUE(WriteMeasurementFile(folder.file("link.krvx")));

    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.krvx")));
    EXPECT_EQ(TempFolder::Read(real), EncodeMeasurementFile());
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(MeasurementFileTest, APipeIsRefusedAtOnceForReadingAndWriting) {
    SKIP_ON_WINDOWS("no named pipes in the file system");
    ASSERT_TRUE(krovel::testing::MakeNamedPipe(path));
    FillOldModel();
    const ModelSnapshot before = ModelSnapshot::Take();
    EXPECT_FALSE(ReadMeasurementFile(path)); // would wait for a writer if it were opened
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Error opening file"});
    EXPECT_TRUE(ModelSnapshot::Take() == before);

    prompts.messages.clear();
    prompts.answers.push_back(Answer::Yes);
    EXPECT_FALSE(WriteMeasurementFile(path));
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"OverWrite file: " + path, "File Save Error"}));
    EXPECT_EQ(std::filesystem::status(path).type(), std::filesystem::file_type::fifo);
}

TEST_F(MeasurementFileTest, OverwriteNeedsYes) {
    TempFolder::Write(path, "old");
    FillOldModel();
    EXPECT_FALSE(WriteMeasurementFile(path)); // the scripted answer is No
    EXPECT_EQ(prompts.texts(), std::vector<std::string>{"OverWrite file: " + path});
    EXPECT_EQ(prompts.messages.at(0).kind, MessageKind::Question);
    EXPECT_EQ(TempFolder::Read(path), "old");
    EXPECT_EQ(DataSaved, 0);

    prompts.answers.push_back(Answer::Yes);
    EXPECT_TRUE(WriteMeasurementFile(path));
    EXPECT_EQ(TempFolder::Read(path), EncodeMeasurementFile());
    EXPECT_EQ(DataSaved, 1);
}

TEST_F(MeasurementFileTest, FailedSaveKeepsTheOldFile) {
    SKIP_ON_WINDOWS("no cap on file size to stand in for a full disk");
    FillOldModel();
    TempFolder::Write(path, "old");
    prompts.answers.push_back(Answer::Yes);
    {
        FileSizeLimit diskFull(100);
        ASSERT_TRUE(diskFull.ok());
        EXPECT_FALSE(WriteMeasurementFile(path));
    }
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"OverWrite file: " + path, "File Save Error"}));
    EXPECT_EQ(TempFolder::Read(path), "old");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"run.krvx"});

    // A folder in the way, and a folder that does not exist: no question, just the error.
    prompts.messages.clear();
    std::filesystem::create_directory(folder.file("dir.krvx"));
    EXPECT_FALSE(WriteMeasurementFile(folder.file("dir.krvx")));
    EXPECT_FALSE(WriteMeasurementFile(folder.file("nowhere/run.krvx")));
    EXPECT_EQ(prompts.texts(), (std::vector<std::string>{"File Save Error", "File Save Error"}));
    EXPECT_EQ(DataSaved, 0);
    EXPECT_EQ(folder.Entries().size(), 2u);
}
