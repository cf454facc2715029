// The diagnostic graph: the load profile over all series, one point per distinct
// barbell load, with a blue left axis (Y1) and a red right axis (Y2).
#include "measure/core/LoadPoints.h"
#include "ui/core/GraphAxes.h"
#include "ui/core/Graphs.h"
#include "ui/core/ViewState.h"

#include <algorithm>

namespace krovel {

using namespace graph;

namespace {

// Steps used when an axis row holds a step below 1.
constexpr int32_t FallbackXStep = 1;
constexpr int32_t FallbackY1Step = 10;
constexpr int32_t FallbackY2Step = 5;

struct DiagnosticLayout {
    TickStyle xTicks;
    int32_t titleTop, titleBottom; // X title, from the bottom of the plot
    TickStyle y1Ticks;
    TickStyle y2Ticks;
    CanvasRect yTitle; // from (L, T) for Y1 and from (R, T) for Y2
    int32_t pointRadius;
};
constexpr DiagnosticLayout ScreenLayout{{3, {-20, 3, 20, 18}, TextAlign::Centre},
                                        18,
                                        33,
                                        {-3, {-40, -10, -5, 10}, TextAlign::Right},
                                        {3, {5, -10, 40, 10}, TextAlign::Left},
                                        {-30, -25, 30, -10},
                                        5};
constexpr DiagnosticLayout PrintLayout{PrintedXTicks,
                                       PrintedXTitleTop,
                                       PrintedXTitleBottom,
                                       PrintedLeftTicks,
                                       {15, {20, 20, 200, -20}, TextAlign::Left},
                                       PrintedYTitle,
                                       20};

int32_t StepOr(int32_t step, int32_t fallback) {
    return step < 1 ? fallback : step;
}

// One plotted series of points (Y1 or Y2): circles joined by lines.
struct PointTrace {
    int32_t quantity;
    int32_t min;
    double scale;
};

// Where the graph's values go on the canvas.
struct DiagnosticPlot {
    int L, T, R, B;
    int32_t xq;
    const AxisRange& xr;
    const AxisRange& y1r;
    const AxisRange& y2r;
    double xscale;
    PointTrace y1, y2;
};

// The box, the X axis in the caller's text colour, the blue Y1 axis on the left and the
// red Y2 axis on the right, each with its title.
void DrawDiagnosticAxes(Canvas& canvas, const DiagnosticLayout& layout,
                        const DiagnosticPlot& plot) {
    // Plain names, not a structured binding: the tick lambda captures them, which
    // clang before 16 refuses for bindings.
    const int L = plot.L, T = plot.T, R = plot.R, B = plot.B;
    const AxisRange& xr = plot.xr;
    const AxisRange& y1r = plot.y1r;
    const AxisRange& y2r = plot.y2r;
    const double xscale = plot.xscale;
    const PointTrace& y1 = plot.y1;
    const PointTrace& y2 = plot.y2;
    canvas.setPen(BlackPen);
    canvas.setFont(canvas.isPrinting() ? CanvasFont::Print : CanvasFont::Screen);
    DrawOpenBox(canvas, L, T, R, B);

    const TickRun xTicks = ValueTicks(xr.Min, xr.Max, StepOr(xr.Step, FallbackXStep));
    DrawAxisTicks(canvas, xTicks.count, AxisRun::Across, layout.xTicks, [&](int64_t i) {
        const int64_t v = xTicks.value(i);
        return AxisTick{L + Truncate((static_cast<double>(v) - xr.Min) * xscale), B, IntLabel(v)};
    });
    DrawWholeText(canvas, {L, B + layout.titleTop, R, B + layout.titleBottom},
                  PlotQuantityNames[plot.xq], TextAlign::Centre);

    canvas.setTextColour(RgbBlue);
    canvas.setPen(BluePen);
    DrawYAxisTicks(canvas, L, B, y1r.Min, y1r.Max, StepOr(y1r.Step, FallbackY1Step), y1.scale,
                   layout.y1Ticks);
    DrawWholeText(canvas, Offset(L, T, layout.yTitle), PlotQuantityNames[y1.quantity],
                  TextAlign::Centre);

    canvas.setTextColour(RgbRed);
    canvas.setPen(RedPen);
    DrawYAxisTicks(canvas, R, B, y2r.Min, y2r.Max, StepOr(y2r.Step, FallbackY2Step), y2.scale,
                   layout.y2Ticks);
    DrawWholeText(canvas, Offset(R, T, layout.yTitle), PlotQuantityNames[y2.quantity],
                  TextAlign::Centre);
}

// The points of both traces, each joined to the one before it.
void DrawDiagnosticPoints(Canvas& canvas, const DiagnosticLayout& layout,
                          const DiagnosticPlot& plot, const LoadPointSet& points) {
    const int L = plot.L, T = plot.T, R = plot.R, B = plot.B;
    const int32_t xq = plot.xq;
    const AxisRange& xr = plot.xr;
    const double xscale = plot.xscale;
    const PointTrace& y1 = plot.y1;
    const PointTrace& y2 = plot.y2;
    // Points outside the ranges sit on the plot's edges. (Limiting by the numeric
    // range between T and B serves screen and paper alike.)
    const auto xOf = [&](const LoadPoint& p) {
        const int32_t x = L + Truncate((static_cast<double>(p.value(xq)) - xr.Min) * xscale);
        return std::clamp(x, std::min(L, R), std::max(L, R));
    };
    const auto yOf = [&](const LoadPoint& p, const PointTrace& trace) {
        const int32_t y =
            B - Truncate((static_cast<double>(p.value(trace.quantity)) - trace.min) * trace.scale);
        return std::clamp(y, std::min(T, B), std::max(T, B));
    };
    const int32_t r = layout.pointRadius;
    // On paper y grows upward, so the circle's top edge is y + r there.
    const int32_t up = canvas.isPrinting() ? r : -r;
    // Circles are filled with whatever brush the canvas holds.
    for (int32_t i = 0; i < points.Count; ++i) {
        const LoadPoint& p = points.Points[i];
        const int32_t x = xOf(p);
        for (const auto& [trace, pen] : {std::pair{y1, BluePen}, std::pair{y2, RedPen}}) {
            canvas.setPen(pen);
            const int32_t y = yOf(p, trace);
            canvas.ellipse({x - r, y + up, x + r, y - up});
            if (i > 0) {
                const LoadPoint& previous = points.Points[i - 1];
                canvas.line(xOf(previous), yOf(previous, trace), x, y);
            }
        }
    }
}

} // namespace

void DrawDiagnosticGraph(Canvas& canvas, const CanvasRect& rect,
                         const DiagnosticSelection& selection, AxisRangeTable axisRanges,
                         int32_t seriesCount) {
    const DiagnosticLayout& layout = canvas.isPrinting() ? PrintLayout : ScreenLayout;
    const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    const int32_t xq = ValidPlotQuantity(selection.XIndex);
    const int32_t y1q = ValidPlotQuantity(selection.Y1Index);
    const int32_t y2q = ValidPlotQuantity(selection.Y2Index);

    LoadPointSet& points = GraphView.DiagPoints;
    BuildLoadPoints(seriesCount,
                    std::clamp<int32_t>(selection.DataIndex, 0, MaxRepetitions - 1) + 1, xq,
                    points);

    const AxisRange& xr = axisRanges[xq];
    const AxisRange& y1r = axisRanges[y1q];
    const AxisRange& y2r = axisRanges[y2q];
    const DiagnosticPlot plot{L,
                              T,
                              R,
                              B,
                              xq,
                              xr,
                              y1r,
                              y2r,
                              AxisScale(R - L, xr.Min, xr.Max),
                              {y1q, y1r.Min, AxisScale(B - T, y1r.Min, y1r.Max)},
                              {y2q, y2r.Min, AxisScale(B - T, y2r.Min, y2r.Max)}};

    canvas.save();
    DrawDiagnosticAxes(canvas, layout, plot);
    DrawDiagnosticPoints(canvas, layout, plot, points);
    canvas.restore();
}

} // namespace krovel
