#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "data/core/DataModel.h"
#include "data/core/Settings.h"
#include "support/FileSizeLimit.h"
#include "support/PosixOnly.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

using namespace krovel;
using krovel::testing::FileSizeLimit;
using krovel::testing::ScriptedPrompts;
using krovel::testing::TempFolder;

namespace {

int32_t Int32At(const std::string& bytes, size_t offset) {
    int32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

bool SameAsDefaults() {
    SettingsValues now = CurrentSettings(), defaults;
    return now.PortSetting == defaults.PortSetting && now.BarbellWeight == defaults.BarbellWeight &&
           now.SignalBelowPct == defaults.SignalBelowPct &&
           now.SignalAbovePct == defaults.SignalAbovePct &&
           std::memcmp(now.AxisRanges, defaults.AxisRanges, sizeof now.AxisRanges) == 0;
}

} // namespace

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDataModel();
        ResetSettings();
        ASSERT_TRUE(folder.ok());
    }
    void TearDown() override {
        ResetSettings();
        ResetDataModel();
    }
    TempFolder folder;
    ScriptedPrompts prompts;
    std::string path = folder.file("default.krovlcfg");
};

TEST_F(SettingsFileTest, DefaultsMatchTheDocumentedTable) {
    EXPECT_EQ(PortSetting, 0);
    EXPECT_FLOAT_EQ(TestHeader.BarbellWeight, 20.0f);
    EXPECT_EQ(TestHeader.SignalBelowPct, 90);
    EXPECT_EQ(TestHeader.SignalAbovePct, 100);
    const AxisRange expected[] = {{0, 150, 30}, {0, 2000, 200}, {0, 10, 1}, {0, 2000, 200}};
    for (int q = 0; q < AxisRangeCount; ++q) {
        EXPECT_EQ(AxisRanges[q].Min, expected[q].Min) << q;
        EXPECT_EQ(AxisRanges[q].Max, expected[q].Max) << q;
        EXPECT_EQ(AxisRanges[q].Step, expected[q].Step) << q;
    }
}

TEST_F(SettingsFileTest, WritesColumnByColumnAndReadsBack) {
    PortSetting = 3;
    TestHeader.BarbellWeight = 22.5f;
    TestHeader.SignalBelowPct = 80;
    TestHeader.SignalAbovePct = 105;
    for (int q = 0; q < AxisRangeCount; ++q) AxisRanges[q] = {q + 1, 100 * (q + 1), 10 + q};
    ASSERT_TRUE(WriteSettings(path));

    std::string bytes = TempFolder::Read(path);
    ASSERT_EQ(bytes.size(), 81u);
    EXPECT_EQ(bytes.substr(0, 17), "KrovelDevice_V1.1");
    EXPECT_EQ(Int32At(bytes, 17), 3);
    float weight;
    std::memcpy(&weight, bytes.data() + 21, 4);
    EXPECT_EQ(weight, 22.5f);
    EXPECT_EQ(Int32At(bytes, 25), 80);
    EXPECT_EQ(Int32At(bytes, 29), 105);
    for (int q = 0; q < AxisRangeCount; ++q) {
        EXPECT_EQ(Int32At(bytes, 33 + 4 * q), q + 1);
        EXPECT_EQ(Int32At(bytes, 49 + 4 * q), 100 * (q + 1));
        EXPECT_EQ(Int32At(bytes, 65 + 4 * q), 10 + q);
    }

    ResetSettings();
    ASSERT_TRUE(ReadSettings(path));
    EXPECT_EQ(PortSetting, 3);
    EXPECT_EQ(TestHeader.BarbellWeight, 22.5f);
    EXPECT_EQ(TestHeader.SignalBelowPct, 80);
    EXPECT_EQ(TestHeader.SignalAbovePct, 105);
    EXPECT_EQ(AxisRanges[2].Max, 300);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SettingsFileTest, MissingFileResetsOnlyThePort) {
    PortSetting = 4;
    TestHeader.SignalBelowPct = 70;
    EXPECT_TRUE(ReadSettings(folder.file("absent.krovlcfg")));
    EXPECT_EQ(PortSetting, 0);
    EXPECT_EQ(TestHeader.SignalBelowPct, 70);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SettingsFileTest, APipeOrFolderIsRefusedAtOnceAndWriteGoesThroughALink) {
    SKIP_ON_WINDOWS("no named pipes in the file system, and symbolic links need a privilege");
    // Reading a pipe without a writer would wait for ever.
    ASSERT_TRUE(krovel::testing::MakeNamedPipe(path));
    EXPECT_FALSE(ReadSettings(path));
    std::filesystem::create_directory(folder.file("folder.krovlcfg"));
    EXPECT_FALSE(ReadSettings(folder.file("folder.krovlcfg")));
    EXPECT_TRUE(SameAsDefaults());

    // Written at exit through a link: the link stays, its target gets the values.
    const std::string target = folder.file("real.krovlcfg");
    TempFolder::Write(target, "old");
    std::filesystem::create_symlink("real.krovlcfg", folder.file("link.krovlcfg"));
    ASSERT_TRUE(WriteSettings(folder.file("link.krovlcfg")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.krovlcfg")));
    EXPECT_EQ(TempFolder::Read(target), EncodeSettings(SettingsValues{}));
}

TEST_F(SettingsFileTest, MagicAloneIsAShortFile) {
    TempFolder::Write(path, "KrovelDevice_V1.1");
    EXPECT_FALSE(ReadSettings(path));
    EXPECT_TRUE(SameAsDefaults());
    EXPECT_TRUE(prompts.messages.empty()); // start-up reports it

    // The next exit replaces it with a complete file.
    ASSERT_TRUE(WriteSettings(path));
    EXPECT_EQ(TempFolder::Read(path), EncodeSettings(SettingsValues{}));
}

TEST_F(SettingsFileTest, WrongMagicIsIncompatibleAndChangesNothing) {
    SettingsValues other;
    other.PortSetting = 2;
    std::string bytes = EncodeSettings(other);
    for (const std::string& bad : {std::string("KrovelDevice_V1.2") + bytes.substr(17),
                                   std::string("KrovelDev"), std::string()}) {
        prompts.messages.clear();
        TempFolder::Write(path, bad);
        EXPECT_TRUE(ReadSettings(path));
        EXPECT_EQ(prompts.texts(), std::vector<std::string>{"Incompatible data"});
        EXPECT_TRUE(SameAsDefaults());
    }
}

TEST_F(SettingsFileTest, BytesAfterTheValuesAreIgnored) {
    SettingsValues other;
    other.SignalAbovePct = 120;
    TempFolder::Write(path, EncodeSettings(other) + std::string(500, 'x'));
    EXPECT_TRUE(ReadSettings(path));
    EXPECT_EQ(TestHeader.SignalAbovePct, 120);
}

TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFile) {
    SKIP_ON_WINDOWS("no cap on file size to stand in for a full disk");
    TempFolder::Write(path, "old");
    {
        FileSizeLimit diskFull(40);
        ASSERT_TRUE(diskFull.ok());
        EXPECT_FALSE(WriteSettings(path));
    }
    std::filesystem::create_directory(folder.file("dir.krovlcfg"));
    EXPECT_FALSE(WriteSettings(folder.file("dir.krovlcfg")));
    EXPECT_EQ(TempFolder::Read(path), "old");
    EXPECT_EQ(folder.Entries().size(), 2u); // no temporary file left behind
}
