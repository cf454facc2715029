// Showing the exported workbook in the spreadsheet program, and the "Export XML"
// button's handler that writes it.
#pragma once

#include <string>
#include <vector>

#include "measure/core/SpreadsheetExport.h"

namespace krovel {

// Starts the spreadsheet program on `path` without waiting and without reporting
// anything: "excel.exe" on Windows; elsewhere `libreoffice --calc` or `soffice --calc`
// found on PATH, otherwise the desktop's handler for the file. Does nothing when the
// environment variable KROVEL_NO_SPREADSHEET is set to anything but "" or "0"
// (headless runs, demos on a build machine).
void OpenInSpreadsheetProgram(const std::string& path);

// The opener the export uses: OpenInSpreadsheetProgram unless a test installed its
// own. Installing an empty function puts the default back.
void SetSpreadsheetOpener(SpreadsheetOpener opener);

// Handler of "Export XML" (1017): writes `rows`, the repetition table as it is shown,
// headed by the description of CurrentSeries, to AppPaths.DataFolder + "/noname.xml" and
// opens the file. Nothing is reported, whatever happens.
void ExportSpreadsheetFromTable(const std::vector<SpreadsheetRow>& rows);

} // namespace krovel
