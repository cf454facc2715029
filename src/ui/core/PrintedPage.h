// The printed report of the current series: a two-line header, then the graph
// the view shows or the repetition table. Drawn only through a Canvas in page units
// (0.1 mm, x to the right, y upward, origin at the top-left corner of the printable
// area), so the printer, the print preview and krovel-cli print draw the same page.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "measure/core/RepTableText.h"
#include "ui/core/Graphs.h"

namespace krovel {

// Print widths of the eight table columns (0.1 mm); left edges are their running sums
// from x = 0, and the last column ends at PrintedTableRight.
inline constexpr std::array<int32_t, RepColumnCount> PrintedColumnWidths{210, 380, 380, 380,
                                                                         400, 380, 200, 400};
inline constexpr int32_t PrintedTableRight = 2730;
// Left edge of column c (c = RepColumnCount gives the right edge of the table).
constexpr int32_t PrintedColumnLeft(int c) {
    int32_t left = 0;
    for (int k = 0; k < c && k < RepColumnCount; ++k) left += PrintedColumnWidths[k];
    return left;
}
static_assert(PrintedColumnLeft(RepColumnCount) == PrintedTableRight);

// Height of one table row and the top of data row 0 (0.1 mm, page y).
inline constexpr int32_t PrintedRowHeight = 80;
inline constexpr int32_t PrintedFirstRowTop = -240;

// No printable-area limit: every row is drawn whatever its position.
inline constexpr int32_t UnlimitedPageHeight = 0;

// A table too long for one page continues on further pages, each with the header and
// the column titles, and with "Page n of N" in a line this high at the foot.
inline constexpr int32_t PrintedFooterHeight = 80;

// The series the page describes: CurrentSeries kept inside the SeriesTable (a negative
// value, as after an overview of an empty table, gives series 0).
int32_t PrintedSeriesIndex();

// The number of pages the report takes on a printable area `printableHeight` high
// (0.1 mm, positive): one for a graph, and as many as the table's rows need. Only rows
// that hold text count; the empty rows after them never start a page.
int32_t PrintedPageCount(int32_t viewMode, std::span<const RepRowText> tableRows,
                         int32_t printableHeight);

// Draws page `page` (0-based) of the report for `viewMode` (1 live, 4 exercise,
// 5 diagnostic graph; any other mode the table). `tableRows` are the rows the repetition
// table shows; the table has one printed row per repetition of the series, and rows
// the repetition table lacks are printed empty. With UnlimitedPageHeight every row
// goes on the one page. The caller refreshes the TestHeader from the SubjectBar first.
// The canvas state is restored before returning.
void DrawPrintedPage(Canvas& canvas, int32_t viewMode, std::span<const RepRowText> tableRows,
                     const GraphInputs& graphs, int32_t printableHeight = UnlimitedPageHeight,
                     int32_t page = 0);

} // namespace krovel
