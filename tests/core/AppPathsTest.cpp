#include "base/core/AppPaths.h"

#include <gtest/gtest.h>

namespace krovel {
namespace {

class AppPathsTest : public ::testing::Test {
protected:
    void TearDown() override { AppPaths.Reset(); }
};

TEST_F(AppPathsTest, PathsFormedFromTheProgramFolder) {
    FormAppPaths(ProgramFolderOf("/opt/A/B/krovel"));
    EXPECT_EQ(AppPaths.SettingsPath, "/opt/A/B/default.krovlcfg");
    EXPECT_EQ(AppPaths.DataFolder, "/opt/A/B/DATA");
    EXPECT_EQ(AppPaths.RegistryDataFolder, "/opt/A/DATA");
    EXPECT_EQ(SubjectTokenPath("Smith"), "/opt/A/DATA/Smith");
}

TEST_F(AppPathsTest, FolderWithoutTrailingSeparatorGivesTheSamePaths) {
    FormAppPaths("/home/coach/krovel");
    EXPECT_EQ(AppPaths.SettingsPath, "/home/coach/krovel/default.krovlcfg");
    EXPECT_EQ(AppPaths.DataFolder, "/home/coach/krovel/DATA");
    EXPECT_EQ(AppPaths.RegistryDataFolder, "/home/coach/DATA");
    FormAppPaths("/home/coach/krovel//");
    EXPECT_EQ(AppPaths.DataFolder, "/home/coach/krovel/DATA");
}

TEST_F(AppPathsTest, FoldersNearTheRoot) {
    FormAppPaths("/krovel/");
    EXPECT_EQ(AppPaths.RegistryDataFolder, "/DATA");
    // The root has no parent: the registry keeps its data in the program's DATA.
    FormAppPaths("/");
    EXPECT_EQ(AppPaths.SettingsPath, "/default.krovlcfg");
    EXPECT_EQ(AppPaths.DataFolder, "/DATA");
    EXPECT_EQ(AppPaths.RegistryDataFolder, "/DATA");
}

TEST_F(AppPathsTest, ExitSaveAppendsTheExtensionOnlyWhenItsTextIsMissing) {
    EXPECT_EQ(ExitSavePath("/x/run"), "/x/run.krvx");
    EXPECT_EQ(ExitSavePath("/x/run.krvx"), "/x/run.krvx");
    EXPECT_EQ(ExitSavePath("/x/run.krvx.bak"), "/x/run.krvx.bak");
    EXPECT_EQ(ExitSavePath("/x.krvx/run"), "/x.krvx/run");      // the text anywhere counts
    EXPECT_EQ(ExitSavePath("/x/run.KRVX"), "/x/run.KRVX.krvx"); // case-sensitive
}

} // namespace
} // namespace krovel
