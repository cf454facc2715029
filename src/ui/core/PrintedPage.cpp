#include "ui/core/PrintedPage.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "data/core/DataModel.h"
#include "data/core/TextFormat.h"
#include "device/core/HandOver.h"
#include "measure/core/RepetitionValues.h"

namespace krovel {

namespace {

constexpr int32_t HeaderLineHeight = 80;
constexpr int32_t TitleRowTop = -160;
constexpr int32_t TitleGap = 10; // a title box stops this short of the next column

// A mass as whole kilograms, truncated. A damaged value (NaN, huge) from a file prints
// as 0 rather than converting out of range.
int32_t WholeKilograms(float mass) {
    if (!std::isfinite(mass) || std::fabs(mass) >= 2147483520.0f) return 0;
    return static_cast<int32_t>(mass);
}

void HeaderText(Canvas& canvas, int32_t left, int32_t right, int line, const std::string& text) {
    const int32_t top = -HeaderLineHeight * line;
    canvas.text({left, top, right, top - HeaderLineHeight}, text, TextAlign::Left);
}

void DrawHeader(Canvas& canvas, int32_t i) {
    const SubjectRecord& subject = TestHeader.Subject;
    HeaderText(canvas, 0, 500, 0, "Name: " + subject.SubjectName);
    HeaderText(canvas, 550, 1150, 0, "Exercice: " + TestHeader.Exercise);
    HeaderText(canvas, 1200, 1700, 0, "Group: " + TestHeader.Sport);
    HeaderText(canvas, 1750, 2150, 0, FormatText("Set No: %d ", i + 1));

    // An entry that holds no series has no values to print.
    if (!SeriesShowable(i)) return;
    const SeriesRecord& s = Series[i];
    HeaderText(canvas, 0, 300, 1, FormatText("Load: %d ", WholeKilograms(s.Mass)) + "kg");
    HeaderText(canvas, 300, 700, 1, "Date: " + FormatLocalTime(s.StartTime, "%m/%d/%Y"));
    HeaderText(canvas, 710, 1100, 1, "Time: " + FormatLocalTime(s.StartTime, "%H:%M:%S"));
    HeaderText(canvas, 1150, 1650, 1, FormatText("Lower limit %d ", s.SignalBelowPct) + "%");
    HeaderText(canvas, 1650, 2100, 1, FormatText("Upper limit %d ", s.SignalAbovePct) + "%");
}

// How the table's rows fall into pages.
struct TablePaging {
    int32_t rowCount = 0;    // printed rows: one per repetition of the series
    int32_t rowsPerPage = 0; // 0: no page limit
    int32_t pageCount = 1;
    bool footer = false; // "Page n of N" at the foot of each page
};

// Rows whose boxes end within `height` below the page top.
int32_t RowsWithin(int32_t height) {
    return std::max(0, (height + PrintedFirstRowTop) / PrintedRowHeight);
}

TablePaging PageTable(int32_t i, std::span<const RepRowText> rows, int32_t printableHeight) {
    TablePaging paging;
    // The live entry's count is raised by the link's reader thread: load it as the
    // hand-over requires, and never beyond the repetitions an entry holds.
    // An entry that holds no series has no rows.
    paging.rowCount = SeriesShowable(i) ? std::clamp(LoadRepCount(i), 0, MaxRepetitions) : 0;
    if (printableHeight <= 0) return paging;
    const int32_t textRows = std::min(paging.rowCount, static_cast<int32_t>(rows.size()));
    paging.rowsPerPage = RowsWithin(printableHeight);
    if (textRows <= paging.rowsPerPage) return paging;
    // More rows than one page holds: every page keeps a line for its number. A page
    // too small for any row still takes one, rather than printing nothing.
    paging.footer = true;
    paging.rowsPerPage = std::max(1, RowsWithin(printableHeight - PrintedFooterHeight));
    paging.pageCount = (textRows + paging.rowsPerPage - 1) / paging.rowsPerPage;
    return paging;
}

void DrawTable(Canvas& canvas, int32_t i, std::span<const RepRowText> rows, int32_t printableHeight,
               int32_t page) {
    for (int c = 0; c < RepColumnCount; ++c) {
        canvas.text({PrintedColumnLeft(c), TitleRowTop, PrintedColumnLeft(c + 1) - TitleGap,
                     TitleRowTop - PrintedRowHeight},
                    RepColumns[c].Title, TextAlign::Centre);
    }
    const TablePaging paging = PageTable(i, rows, printableHeight);
    int32_t first = 0, end = paging.rowCount;
    if (paging.rowsPerPage > 0) {
        first = std::min(paging.rowCount, page * paging.rowsPerPage);
        end = std::min(paging.rowCount, first + paging.rowsPerPage);
    }
    for (int32_t r = first; r < end; ++r) {
        const int32_t top = PrintedFirstRowTop - PrintedRowHeight * (r - first);
        const int32_t bottom = top - PrintedRowHeight;
        for (int c = 0; c < RepColumnCount; ++c) {
            const std::string_view cell =
                r < static_cast<int32_t>(rows.size()) ? std::string_view(rows[r][c]) : "";
            canvas.text({PrintedColumnLeft(c), top, PrintedColumnLeft(c + 1), bottom}, cell,
                        TextAlign::Centre);
        }
    }
    if (paging.footer) {
        canvas.text(
            {0, -printableHeight + PrintedFooterHeight, PrintedTableRight, -printableHeight},
            FormatText("Page %d of %d", page + 1, paging.pageCount), TextAlign::Centre);
    }
}

} // namespace

int32_t PrintedSeriesIndex() {
    return std::clamp(CurrentSeries, 0, MaxSeries - 1);
}

int32_t PrintedPageCount(int32_t viewMode, std::span<const RepRowText> tableRows,
                         int32_t printableHeight) {
    if (IsGraphViewMode(viewMode)) return 1;
    return PageTable(PrintedSeriesIndex(), tableRows, printableHeight).pageCount;
}

void DrawPrintedPage(Canvas& canvas, int32_t viewMode, std::span<const RepRowText> tableRows,
                     const GraphInputs& graphs, int32_t printableHeight, int32_t page) {
    const int32_t i = PrintedSeriesIndex();
    canvas.save();
    canvas.setFont(CanvasFont::Print);
    DrawHeader(canvas, i);
    // The graph modes draw into PrintedGraphRect; every other mode prints the table.
    if (!DrawGraphForViewMode(canvas, viewMode, graphs))
        DrawTable(canvas, i, tableRows, printableHeight, page);
    canvas.restore();
}

} // namespace krovel
