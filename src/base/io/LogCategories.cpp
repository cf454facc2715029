#include "base/io/LogCategories.h"

#include "base/core/AtomicFile.h"

namespace krovel {

// Warnings stay on; the informational messages these categories carry are off until
// the user asks for them.
Q_LOGGING_CATEGORY(LinkLog, "krovel.link", QtWarningMsg)
Q_LOGGING_CATEGORY(FilesLog, "krovel.files", QtWarningMsg)
Q_LOGGING_CATEGORY(SoundLog, "krovel.sound", QtWarningMsg)
Q_LOGGING_CATEGORY(PrintLog, "krovel.print", QtWarningMsg)

void LogFileWarnings() {
    SetFileWarningSink([](const std::string& text) { qCWarning(FilesLog) << text.c_str(); });
}

} // namespace krovel
