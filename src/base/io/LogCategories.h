// Qt logging categories for what a user may need to see when something goes wrong.
// All are off by default; QT_LOGGING_RULES="krovel.*=true" turns them on:
//   krovel.link   links opened, closed and lost, and why an open failed
//   krovel.files  measurement, settings and workbook files read and written
//   krovel.sound  signal sounds played
//   krovel.print  why printing is not available
#pragma once

#include <QLoggingCategory>

namespace krovel {

Q_DECLARE_LOGGING_CATEGORY(LinkLog)
Q_DECLARE_LOGGING_CATEGORY(FilesLog)
Q_DECLARE_LOGGING_CATEGORY(SoundLog)
Q_DECLARE_LOGGING_CATEGORY(PrintLog)

// Sends the core's warnings about files it wrote all the same (a folder that could not
// be flushed after a save) to krovel.files as warnings. Each program calls it once.
void LogFileWarnings();

} // namespace krovel
