// The spreadsheet export: the repetition table on screen, headed by the current
// series' description, as a SpreadsheetML 2003 workbook "noname.xml" in the data
// folder, which is then handed to the spreadsheet program.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "measure/core/RepTableText.h"

namespace krovel {

constexpr int SpreadsheetDescriptionLines = 7;

// One table row: the 8 cell texts exactly as the repetition table shows them.
using SpreadsheetRow = RepRowText;
using SpreadsheetDescription = std::array<std::string, SpreadsheetDescriptionLines>;

// Starts the spreadsheet program on a file; never waits, reports nothing.
using SpreadsheetOpener = std::function<void(const std::string& path)>;

// The workbook's first 12 lines (XML declaration, styles, worksheet start).
extern const std::string_view SpreadsheetFileHead;

// The seven header lines of entry `series` of the SeriesTable and the TestHeader,
// each with its own line end (line 5 ends with a bare line feed). Numbers follow
// the user's numeric locale. An index outside the table is clamped into it.
SpreadsheetDescription SpreadsheetDescriptionOf(int series);

// The complete workbook: head, column widths, description rows, title rows, one
// data row per table row, tail. Cells are trimmed, commas become points, and every
// text is escaped so the file is always well-formed XML.
std::string SpreadsheetWorkbook(const SpreadsheetDescription& description,
                                const std::vector<SpreadsheetRow>& rows);

// The workbook the "Export XML" button writes: description of CurrentSeries.
std::string SpreadsheetWorkbookOfCurrentSeries(const std::vector<SpreadsheetRow>& rows);

// dataFolder + "/noname.xml".
std::string SpreadsheetExportPath(const std::string& dataFolder);

// Writes the workbook of CurrentSeries to the export file, replacing the previous
// one, then asks `open` to show the file. A file that cannot be written leaves the
// previous export as it was and is not reported; `open` is still called when an
// export file exists. Returns whether the new workbook was written.
bool ExportSpreadsheet(const std::string& dataFolder, const std::vector<SpreadsheetRow>& rows,
                       const SpreadsheetOpener& open);

} // namespace krovel
