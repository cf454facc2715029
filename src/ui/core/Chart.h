// A chart of points, lines and bars against value axes, drawn on a Canvas with y
// downward (the screen's units; a printer's painter is scaled to them): the title
// above, the axes with their ticks, labels and titles, the series clipped to the plot,
// and a legend below the plot or, when it would not fit on one line, beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/core/Canvas.h"

namespace krovel {

struct ChartPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

struct ChartTick {
    double value = 0;
    std::string label;
};

struct ChartAxis {
    std::string title; // with its unit: "Load (kg)"
    double min = 0;
    double max = 1;
    std::vector<ChartTick> ticks; // each with a grid line across the plot
};

// An axis over [min, max] widened to round steps (1, 2 or 5 times a power of ten, about
// five ticks), each tick labelled with `decimals` decimals.
ChartAxis NiceAxis(std::string title, double min, double max, int decimals);

// A number with a fixed count of decimals and a '.' whatever the locale.
std::string FixedNumber(double value, int decimals);

enum class ChartSeriesKind { Points, Line, Bars };
enum class ChartMarker { None, Circle, Square };

struct ChartSeries {
    std::string name; // the legend's text
    Rgb colour;
    ChartSeriesKind kind = ChartSeriesKind::Points;
    // Bars stand at x = 0, 1, 2 ... (the x axis's categories), side by side with the
    // other bar series.
    std::vector<ChartPoint> points;
    int32_t lineWidth = 1;
    PenStyle lineStyle = PenStyle::Solid;
    ChartMarker marker = ChartMarker::Circle;
    int32_t markerSize = 6; // diameter in pixels; a line's points only with a marker
    bool rightAxis = false; // against the chart's right axis
    std::string pointLabel; // written beside every point
    // What the tooltip says over each point; none, or one a point.
    std::vector<std::string> tips;
};

enum class LegendPlace { Bottom, Right };

struct Chart {
    std::string title;
    ChartAxis x;
    ChartAxis y;
    std::optional<ChartAxis> right;
    std::vector<ChartSeries> series;
    LegendPlace legend = LegendPlace::Bottom;
};

// Where the parts of a chart go in its area.
struct ChartLayout {
    CanvasRect plot;   // inside the axes
    CanvasRect legend; // empty without series
};

ChartLayout LayOutChart(const Canvas& canvas, const Chart& chart, const CanvasRect& area);
void DrawChart(Canvas& canvas, const Chart& chart, const CanvasRect& area);

// The width of the whole legend on one line, in the canvas's units.
int32_t LegendLineWidth(const Canvas& canvas, const Chart& chart);

// The point (or bar) under (x, y): a marker within a few pixels, the nearest first.
struct ChartHit {
    size_t series = 0;
    size_t point = 0;
    friend bool operator==(const ChartHit&, const ChartHit&) = default;
};
std::optional<ChartHit> HitChart(const Chart& chart, const ChartLayout& layout, int32_t x,
                                 int32_t y);

} // namespace krovel
