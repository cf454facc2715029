#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "data/core/DataModel.h"
#include "measure/core/RepTableText.h"
#include "measure/core/RepetitionValues.h"
#include "support/TimeZone.h"
#include "ui/core/PrintedPage.h"
#include "ui/core/RecordingCanvas.h"
#include "ui/core/ViewState.h"

using namespace krovel;

namespace {

class PrintedPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        krovel::testing::UseUtcAsLocalTime();
        ResetDataModel();
        GraphView.Reset();
        LiveMeasurement.Reset();
        ResetSettings();
        TestHeader.Subject.SubjectName = "Anna";
        TestHeader.Exercise = "Squat";
        TestHeader.Sport = "Rowing";
    }

    // Series s with `reps` repetitions of rising velocity and power.
    static void FillSeries(int s, int reps, float mass) {
        SeriesRecord& r = Series[s];
        r.RepCount = reps;
        r.Mass = mass;
        r.SignalBelowPct = 90;
        r.SignalAbovePct = 110;
        r.StartTime = 1457359200; // 7 March 2016 14:00:00 UTC
        for (int k = 0; k < reps; ++k) {
            r.MeanVelocity[k] = uint8_t(20 + k);
            r.MaxVelocity[k] = uint8_t(30 + k);
            r.MaxPower[k] = 500.0f + 10.0f * k;
        }
        SeriesCount = std::max(SeriesCount, s + 1);
    }

    RecordingCanvas page{true};

    void Print(int32_t viewMode, const std::vector<RepRowText>& rows,
               int32_t height = UnlimitedPageHeight, int32_t pageIndex = 0) {
        DrawPrintedPage(page, viewMode, rows, CurrentGraphInputs(), height, pageIndex);
    }

    // The text drawn in exactly this box, or "<none>".
    std::string TextIn(const CanvasRect& box) const {
        for (const Primitive& p : page.ofKind(PrimitiveKind::Text))
            if (p.box == box) return p.text;
        return "<none>";
    }

    // Data-row cells (boxes below the title row), in drawing order.
    std::vector<Primitive> DataCells() const {
        std::vector<Primitive> out;
        for (const Primitive& p : page.ofKind(PrimitiveKind::Text))
            if (p.box.top <= PrintedFirstRowTop) out.push_back(p);
        return out;
    }
};

TEST_F(PrintedPageTest, HeaderTextsStandInTheirBoxesInPrintFont) {
    FillSeries(0, 3, 22.5f);
    FillSeries(1, 2, 40.0f);
    CurrentSeries = 1;
    Series[1].SignalBelowPct = 85;
    Print(0, {});

    EXPECT_EQ(TextIn({0, 0, 500, -80}), "Name: Anna");
    EXPECT_EQ(TextIn({550, 0, 1150, -80}), "Exercice: Squat");
    EXPECT_EQ(TextIn({1200, 0, 1700, -80}), "Group: Rowing");
    EXPECT_EQ(TextIn({1750, 0, 2150, -80}), "Set No: 2 ");
    EXPECT_EQ(TextIn({0, -80, 300, -160}), "Load: 40 kg");
    EXPECT_EQ(TextIn({300, -80, 700, -160}), "Date: 03/07/2016");
    EXPECT_EQ(TextIn({710, -80, 1100, -160}), "Time: 14:00:00");
    EXPECT_EQ(TextIn({1150, -80, 1650, -160}), "Lower limit 85 %");
    EXPECT_EQ(TextIn({1650, -80, 2100, -160}), "Upper limit 110 %");

    for (const Primitive& p : page.ofKind(PrimitiveKind::Text)) {
        EXPECT_EQ(p.state.font, CanvasFont::Print) << p.text;
        if (p.box.top > -160) {
            EXPECT_EQ(p.align, TextAlign::Left) << p.text;
        }
    }
    EXPECT_EQ(page.state().font, CanvasFont::Screen); // the caller's font is back
    EXPECT_EQ(page.saveDepth(), 0);
}

TEST_F(PrintedPageTest, LoadIsTruncatedAndBadTimesAndMassesPrintSafely) {
    FillSeries(0, 1, 22.5f);
    Print(0, {});
    EXPECT_EQ(TextIn({0, -80, 300, -160}), "Load: 22 kg");

    page.clear();
    Series[0].Mass = nanf("");
    Series[0].StartTime = INT32_MIN;
    Print(0, {});
    EXPECT_EQ(TextIn({0, -80, 300, -160}), "Load: 0 kg");
    const std::string date = TextIn({300, -80, 700, -160});
    EXPECT_TRUE(date == "Date: " || date == "Date: 12/13/1901") << date;
}

TEST_F(PrintedPageTest, CurrentSeriesOutsideTheTableIsKeptInside) {
    FillSeries(0, 2, 30.0f);
    CurrentSeries = -1; // overview of an empty table
    Print(0, {});
    EXPECT_EQ(TextIn({1750, 0, 2150, -80}), "Set No: 1 ");

    page.clear();
    CurrentSeries = 5000;
    Print(0, {});
    EXPECT_EQ(TextIn({1750, 0, 2150, -80}), "Set No: 1000 ");
}

TEST_F(PrintedPageTest, TableHasOneRowPerRepetitionWithGroupedTextInTheFirst) {
    FillSeries(0, 12, 50.0f);
    const std::vector<RepRowText> rows = DigitalReportRows(0, 2); // interval 3
    ASSERT_EQ(rows.size(), 4u);
    Print(2, rows);

    // Titles centred in boxes 10 short of the next column.
    EXPECT_EQ(TextIn({0, -160, 200, -240}), "Rep No");
    EXPECT_EQ(TextIn({210, -160, 580, -240}), "Weight (kg)");
    EXPECT_EQ(TextIn({2130, -160, 2320, -240}), "%");
    EXPECT_EQ(TextIn({2330, -160, 2720, -240}), "P max(W)");

    const std::vector<Primitive> cells = DataCells();
    ASSERT_EQ(cells.size(), 12u * RepColumnCount);
    for (int r = 0; r < 12; ++r) {
        for (int c = 0; c < RepColumnCount; ++c) {
            const Primitive& p = cells[r * RepColumnCount + c];
            const int32_t y = -320 - 80 * r;
            EXPECT_EQ(p.box,
                      (CanvasRect{PrintedColumnLeft(c), y + 80, PrintedColumnLeft(c + 1), y}));
            EXPECT_EQ(p.align, TextAlign::Centre);
            EXPECT_EQ(p.text, r < 4 ? rows[r][c] : "") << r << "," << c;
        }
    }
    EXPECT_EQ(cells[0].text, "   1-  3");
    EXPECT_EQ(cells.back().box.right, PrintedTableRight);
}

TEST_F(PrintedPageTest, ModeZeroPrintsTitlesAndEmptyRows) {
    FillSeries(0, 3, 50.0f);
    Print(0, {});
    EXPECT_EQ(TextIn({970, -160, 1340, -240}), "v mean(m/s)");
    const std::vector<Primitive> cells = DataCells();
    ASSERT_EQ(cells.size(), 3u * RepColumnCount);
    for (const Primitive& p : cells) EXPECT_EQ(p.text, "");
    EXPECT_TRUE(page.ofKind(PrimitiveKind::Line).empty());
}

TEST_F(PrintedPageTest, LongTableContinuesOnNumberedPagesWithEveryRowOnce) {
    constexpr int32_t height = 1900; // A4 landscape within 10 mm margins
    FillSeries(0, 100, 50.0f);
    const std::vector<RepRowText> rows = DigitalReportRows(0, 0);
    const int32_t pages = PrintedPageCount(2, rows, height);
    // 19 rows fit above the page-number line: 100 rows take six pages.
    ASSERT_EQ(pages, 6);
    std::vector<std::string> printed;
    for (int32_t p = 0; p < pages; ++p) {
        page.clear();
        Print(2, rows, height, p);
        EXPECT_EQ(TextIn({0, 0, 500, -80}), "Name: Anna") << p;
        EXPECT_EQ(TextIn({0, -160, 200, -240}), "Rep No") << p;
        EXPECT_EQ(TextIn({0, -1820, PrintedTableRight, -1900}),
                  "Page " + std::to_string(p + 1) + " of 6");
        for (const Primitive& cell : DataCells()) {
            if (cell.text.starts_with("Page ")) continue;
            EXPECT_GE(cell.box.bottom, -1820) << cell.text; // clear of the page number
            if (cell.box.left == 0) printed.push_back(cell.text);
        }
    }
    std::vector<std::string> expected;
    for (const RepRowText& row : rows) expected.push_back(row[0]);
    EXPECT_EQ(printed, expected);

    // Twenty rows still fit one page, without a page number; the 21st needs a second.
    Series[0].RepCount = 20;
    EXPECT_EQ(PrintedPageCount(2, DigitalReportRows(0, 0), height), 1);
    page.clear();
    Print(2, DigitalReportRows(0, 0), height);
    EXPECT_EQ(DataCells().size(), 20u * RepColumnCount);
    Series[0].RepCount = 21;
    EXPECT_EQ(PrintedPageCount(2, DigitalReportRows(0, 0), height), 2);
}

TEST_F(PrintedPageTest, EmptyRowsAndGraphsTakeNoFurtherPage) {
    FillSeries(0, 100, 50.0f);
    // Groups of ten: ten rows of text, followed by ninety empty ones.
    EXPECT_EQ(PrintedPageCount(2, DigitalReportRows(0, 9), 1900), 1);
    EXPECT_EQ(PrintedPageCount(0, {}, 1900), 1);
    for (int32_t mode : {1, 4, 5})
        EXPECT_EQ(PrintedPageCount(mode, DigitalReportRows(0, 0), 1900), 1);
}

TEST_F(PrintedPageTest, GraphModesDrawInThePrintedRectInsteadOfTheTable) {
    FillSeries(0, 6, 50.0f);
    FillSeries(1, 4, 70.0f);
    GroupMeans(0, 0, 0, GraphView.GroupMeanValues);
    for (int32_t mode : {4, 5, 1}) {
        page.clear();
        LiveMeasurement.LiveShownCount = 3;
        Print(mode, DigitalReportRows(0, 0));
        EXPECT_EQ(TextIn({0, -160, 200, -240}), "<none>") << mode; // no table
        int32_t left = INT32_MAX, right = INT32_MIN;
        std::vector<Primitive> shapes = page.ofKind(PrimitiveKind::Rectangle);
        for (const Primitive& p : page.ofKind(PrimitiveKind::Ellipse)) shapes.push_back(p);
        for (const Primitive& p : shapes) {
            left = std::min(left, p.box.left);
            right = std::max(right, p.box.right);
        }
        ASSERT_NE(left, INT32_MAX) << mode; // bars or the diagnostic points' boxes
        EXPECT_GT(left, PrintedGraphRect.left - 30) << mode;
        EXPECT_LT(right, PrintedGraphRect.right + 30) << mode;
        // Every graph starts its frame at the rectangle's left edge.
        bool frame = false;
        for (const Primitive& p : page.ofKind(PrimitiveKind::Line))
            frame |= p.box.left == PrintedGraphRect.left && p.box.right == PrintedGraphRect.left;
        EXPECT_TRUE(frame) << mode;
    }
}

} // namespace
