#include "ui/core/PrintedPage.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "data/core/DataModel.h"
#include "data/core/TextFormat.h"
#include "device/core/HandOver.h"

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

    const SeriesRecord& s = Series[i];
    HeaderText(canvas, 0, 300, 1, FormatText("Load: %d ", WholeKilograms(s.Mass)) + "kg");
    HeaderText(canvas, 300, 700, 1, "Date: " + FormatLocalTime(s.StartTime, "%m/%d/%Y"));
    HeaderText(canvas, 710, 1100, 1, "Time: " + FormatLocalTime(s.StartTime, "%H:%M:%S"));
    HeaderText(canvas, 1150, 1650, 1, FormatText("Lower limit %d ", s.SignalBelowPct) + "%");
    HeaderText(canvas, 1650, 2100, 1, FormatText("Upper limit %d ", s.SignalAbovePct) + "%");
}

void DrawTable(Canvas& canvas, int32_t i, std::span<const RepRowText> rows,
               int32_t printableHeight) {
    for (int c = 0; c < RepColumnCount; ++c) {
        canvas.text({PrintedColumnLeft(c), TitleRowTop, PrintedColumnLeft(c + 1) - TitleGap,
                     TitleRowTop - PrintedRowHeight},
                    RepColumns[c].Title, TextAlign::Centre);
    }
    // The live entry's count is raised by the link's reader thread: load it as the
    // hand-over requires, and never beyond the repetitions an entry holds.
    const int32_t repCount = std::clamp(LoadRepCount(i), 0, MaxRepetitions);
    for (int32_t r = 0; r < repCount; ++r) {
        const int32_t top = PrintedFirstRowTop - PrintedRowHeight * r;
        const int32_t bottom = top - PrintedRowHeight;
        if (printableHeight > 0 && -bottom > printableHeight) break;
        for (int c = 0; c < RepColumnCount; ++c) {
            const std::string_view cell =
                r < static_cast<int32_t>(rows.size()) ? std::string_view(rows[r][c]) : "";
            canvas.text({PrintedColumnLeft(c), top, PrintedColumnLeft(c + 1), bottom}, cell,
                        TextAlign::Centre);
        }
    }
}

} // namespace

int32_t PrintedSeriesIndex() {
    return std::clamp(CurrentSeries, 0, MaxSeries - 1);
}

void DrawPrintedPage(Canvas& canvas, int32_t viewMode, std::span<const RepRowText> tableRows,
                     const GraphInputs& graphs, int32_t printableHeight) {
    const int32_t i = PrintedSeriesIndex();
    canvas.save();
    canvas.setFont(CanvasFont::Print);
    DrawHeader(canvas, i);
    // The graph modes draw into PrintedGraphRect; every other mode prints the table.
    if (!DrawGraphForViewMode(canvas, viewMode, graphs))
        DrawTable(canvas, i, tableRows, printableHeight);
    canvas.restore();
}

} // namespace krovel
