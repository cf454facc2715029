// Replacing a file in one step: what counts as a saved file, and the temporary files
// that killed saves leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "base/core/AtomicFile.h"
#include "support/TempFolder.h"

using namespace krovel;
using krovel::testing::TempFolder;

namespace {

std::vector<std::string> warnings;

void KeepWarning(const std::string& text) {
    warnings.push_back(text);
}

Status FolderCannotBeRead(const std::string&) {
    return Status::Fail("Permission denied");
}

std::string OwnProcessId() {
#ifdef _WIN32
    return std::to_string(GetCurrentProcessId());
#else
    return std::to_string(getpid());
#endif
}

// Above Linux's largest process id (2^22), and no Windows process id in practice.
const std::string EndedProcessId = "99999996";

TEST(AtomicFileTest, AFolderThatCannotBeFlushedAfterTheRenameStillMeansSaved) {
    TempFolder folder;
    const std::string path = folder.file("page.pdf");
    TempFolder::Write(path, "old");
    warnings.clear();
    SetFileWarningSink(&KeepWarning);
    SetFolderFlushCall(&FolderCannotBeRead);
    const Status saved = WriteFileAtomically(path, "new");
    SetFolderFlushCall(nullptr);
    SetFileWarningSink(nullptr);

    EXPECT_TRUE(saved) << saved.message();
    EXPECT_EQ(TempFolder::Read(path), "new");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(path), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("Permission denied"), std::string::npos) << warnings[0];
}

TEST(AtomicFileTest, ASaveRemovesTheTemporaryFilesOfItsTargetWhoseWriterHasEnded) {
    struct Case {
        std::string name;
        bool removed;
    };
    const std::string dead = EndedProcessId, own = OwnProcessId();
    const std::vector<Case> cases = {
        {"run.krvx." + dead + ".0.tmp", true},      {"run.krvx." + dead + ".17.tmp", true},
        {"run.krvx." + own + ".5.tmp", false},    // a save of this process may be running
        {"other.krvx." + dead + ".0.tmp", false}, // another target's
        {"run.krvx.1." + dead + ".0.tmp", false}, // the target "run.krvx.1"'s
        {"run.krvx." + dead + ".0.tmp.old", false}, {"run.krvx." + dead + ".x.tmp", false},
        {"run.krvx." + dead + ".tmp", false},       {"run.krvx.+" + dead + ".0.tmp", false},
        {"arun.krvx." + dead + ".0.tmp", false},
    };
    TempFolder folder;
    for (const Case& c : cases) TempFolder::Write(folder.file(c.name), "partial");

    ASSERT_TRUE(WriteFileAtomically(folder.file("run.krvx"), "new"));
    const std::vector<std::string> left = folder.Entries();
    for (const Case& c : cases)
        EXPECT_EQ(std::count(left.begin(), left.end(), c.name), c.removed ? 0 : 1) << c.name;
    EXPECT_EQ(TempFolder::Read(folder.file("run.krvx")), "new");
}

} // namespace
