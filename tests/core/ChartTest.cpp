#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/Chart.h"
#include "ui/core/RecordingCanvas.h"

using namespace krovel;

namespace {

constexpr CanvasRect Area{0, 0, 600, 400};

// Today's loads and a threshold line that runs past the axis's end.
Chart LoadChart() {
    Chart c;
    c.title = "Back squat";
    c.x = NiceAxis("Load (kg)", 0, 88, 0);
    c.y = NiceAxis("Mean velocity (m/s)", 0, 0.88, 2);
    ChartSeries loads{"Loads", RgbBlue};
    loads.points = {{40, 0.52}, {60, 0.38}, {80, 0.24}, {100, 1.0}};
    loads.tips = {"40", "60", "80", "corner"};
    ChartSeries mvt{"Minimum velocity threshold", RgbRed, ChartSeriesKind::Line};
    mvt.marker = ChartMarker::None;
    mvt.points = {{-50, 0.32}, {500, 0.32}};
    c.series = {loads, mvt};
    return c;
}

bool Inside(const CanvasRect& plot, int32_t x, int32_t y) {
    return x >= plot.left && x <= plot.right && y >= plot.top && y <= plot.bottom;
}

TEST(ChartTest, NiceAxisRoundsTheRangeToFewTicks) {
    struct Case {
        double max;
        int decimals;
        double niceMax;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {88, 0, 100, {"0", "20", "40", "60", "80", "100"}},
        {0.88, 2, 1, {"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"}},
        {110, 0, 150, {"0", "50", "100", "150"}},
        {0, 1, 1, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}}, // an empty range
    };
    for (const Case& c : cases) {
        const ChartAxis axis = NiceAxis("t", 0, c.max, c.decimals);
        EXPECT_DOUBLE_EQ(axis.max, c.niceMax) << c.max;
        std::vector<std::string> labels;
        for (const ChartTick& t : axis.ticks) labels.push_back(t.label);
        EXPECT_EQ(labels, c.labels) << c.max;
    }
}

TEST(ChartTest, PointsAndLinesStayInsideThePlot) {
    RecordingCanvas canvas;
    const Chart chart = LoadChart();
    DrawChart(canvas, chart, Area);
    const ChartLayout layout = LayOutChart(canvas, chart, Area);
    const std::vector<Primitive> markers = canvas.ofKind(PrimitiveKind::Ellipse);
    ASSERT_EQ(markers.size(), 4u);
    for (const Primitive& m : markers) {
        const int32_t x = (m.box.left + m.box.right) / 2, y = (m.box.top + m.box.bottom) / 2;
        EXPECT_TRUE(Inside(layout.plot, x, y)) << x << "," << y;
    }
    // The last point is the axes' ends: the plot's top right corner.
    EXPECT_NEAR((markers[3].box.left + markers[3].box.right) / 2, layout.plot.right, 1);
    EXPECT_NEAR((markers[3].box.top + markers[3].box.bottom) / 2, layout.plot.top, 1);
    int redLines = 0;
    for (const Primitive& l : canvas.ofKind(PrimitiveKind::Line)) {
        if (l.state.pen.colour != RgbRed) continue;
        ++redLines;
        EXPECT_EQ(l.box.left, layout.plot.left);
        EXPECT_EQ(l.box.right, layout.plot.right);
    }
    EXPECT_EQ(redLines, 1);
}

TEST(ChartTest, TitlesAndLegendAreWritten) {
    RecordingCanvas canvas;
    Chart chart = LoadChart();
    DrawChart(canvas, chart, Area);
    for (const char* text : {"Back squat", "Load (kg)", "Mean velocity (m/s)", "Loads",
                             "Minimum velocity threshold", "100", "1.00"})
        EXPECT_EQ(canvas.textsEqual(text).size(), 1u) << text;
    // Below the plot the entries share a line; beside it each has its own.
    const auto top = [&](const char* text) { return canvas.textsEqual(text).at(0).box.top; };
    EXPECT_EQ(top("Loads"), top("Minimum velocity threshold"));
    canvas.clear();
    chart.legend = LegendPlace::Right;
    DrawChart(canvas, chart, Area);
    EXPECT_LT(top("Loads"), top("Minimum velocity threshold"));
    EXPECT_GT(canvas.textsEqual("Loads").at(0).box.left,
              LayOutChart(canvas, chart, Area).plot.right);
}

TEST(ChartTest, HitFindsThePointOrBarUnderTheMouse) {
    const RecordingCanvas canvas;
    Chart chart = LoadChart();
    const ChartLayout layout = LayOutChart(canvas, chart, Area);
    const auto hit = HitChart(chart, layout, layout.plot.right - 2, layout.plot.top + 1);
    EXPECT_EQ(hit, (ChartHit{0, 3}));
    EXPECT_FALSE(HitChart(chart, layout, layout.plot.left + 5, layout.plot.top + 5));

    // Two bar series side by side: the left half of a category is the first one's.
    chart.series = {{"Loss", RgbBlue, ChartSeriesKind::Bars},
                    {"Max", RgbRed, ChartSeriesKind::Bars}};
    for (ChartSeries& s : chart.series) {
        s.points = {{0, 50}, {1, 50}};
        s.tips = {"a", "b"};
    }
    chart.x = {"Series", -0.5, 1.5, {}};
    chart.y = NiceAxis("Velocity loss (%)", 0, 100, 0);
    const ChartLayout bars = LayOutChart(canvas, chart, Area);
    const int32_t second = bars.plot.left + (bars.plot.right - bars.plot.left) * 3 / 4;
    const int32_t y = bars.plot.bottom - 2;
    EXPECT_EQ(HitChart(chart, bars, second - 20, y), (ChartHit{0, 1}));
    EXPECT_EQ(HitChart(chart, bars, second + 20, y), (ChartHit{1, 1}));
    EXPECT_FALSE(HitChart(chart, bars, second, bars.plot.top + 2)) << "above the bars";
    EXPECT_FALSE(HitChart(chart, bars, (bars.plot.left + bars.plot.right) / 2, y)) << "between";
}

} // namespace
