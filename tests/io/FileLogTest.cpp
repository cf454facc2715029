// The core's warnings about files it wrote all the same reach the krovel.files log.
#include <QtGlobal>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/core/AtomicFile.h"
#include "base/io/LogCategories.h"
#include "support/TempFolder.h"

namespace krovel {
namespace {

struct Logged {
    QtMsgType type;
    std::string category, text;
};
std::vector<Logged> logged;

void KeepMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    logged.push_back({type, context.category ? context.category : "", text.toStdString()});
}

Status FolderCannotBeRead(const std::string&) {
    return Status::Fail("Permission denied");
}

TEST(FileLogTest, AFolderThatCannotBeFlushedIsAWarningUnderKrovelFiles) {
    testing::TempFolder folder;
    const std::string path = folder.file("page.pdf");
    logged.clear();
    LogFileWarnings();
    const QtMessageHandler previous = qInstallMessageHandler(&KeepMessage);
    SetFolderFlushCall(&FolderCannotBeRead);
    const bool saved = WriteFileAtomically(path, "new").ok();
    SetFolderFlushCall(nullptr);
    qInstallMessageHandler(previous);
    SetFileWarningSink(nullptr);

    EXPECT_TRUE(saved);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].type, QtWarningMsg);
    EXPECT_EQ(logged[0].category, "krovel.files");
    EXPECT_NE(logged[0].text.find(path), std::string::npos) << logged[0].text;
}

} // namespace
} // namespace krovel
