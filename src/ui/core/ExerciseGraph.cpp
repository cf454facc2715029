// The exercise graph: one bar per repetition or group of repetitions of the current
// series, for the value kind chosen on the ExerciseBar.
#include "measure/core/PlotQuantity.h"
#include "ui/core/GraphAxes.h"
#include "ui/core/Graphs.h"

namespace krovel {

using namespace graph;

namespace {

// The plot sits this far below the given rectangle on screen (above it on paper).
constexpr int32_t ExerciseShift = 150;

constexpr const char* ExerciseYTitles[] = {"mean v(m/s)", "max v(m/s)", "mean P(W)", "max P(W)"};

// Offsets from the axis points; the printed ones already point outward on paper.
struct ExerciseLayout {
    TickStyle xTicks;
    int32_t titleTop, titleBottom; // X title, from the bottom of the plot
    TickStyle yTicks;
    CanvasRect yTitle; // from (L, Yt)
    int32_t barHalfWidth;
};
constexpr ExerciseLayout ScreenLayout{{3, {-30, 3, 30, 18}, TextAlign::Centre},
                                      18,
                                      33,
                                      {-3, {-40, -10, -5, 10}, TextAlign::Right},
                                      {-40, -25, 40, -10},
                                      5};
constexpr ExerciseLayout PrintLayout{PrintedXTicks,    PrintedXTitleTop, PrintedXTitleBottom,
                                     PrintedLeftTicks, PrintedYTitle,    15};

// Bars grow from zero, or from the axis edge nearest to zero when zero is off the axis.
double BarBase(int32_t ymin, int32_t ymax) {
    if (ymax < 0) return ymax;
    if (ymin > 0) return ymin;
    return 0;
}

} // namespace

void DrawExerciseGraph(Canvas& canvas, const CanvasRect& rect, const ExerciseGraphInput& input,
                       AxisRangeTable axisRanges) {
    const ExerciseLayout& layout = canvas.isPrinting() ? PrintLayout : ScreenLayout;
    const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    const int32_t n = static_cast<int32_t>(input.GroupMeans.size());
    const int32_t Yt = T + ExerciseShift;
    const int32_t Yb = B + ExerciseShift;
    const int32_t kind = input.ParamYIndex >= 0 && input.ParamYIndex <= 3 ? input.ParamYIndex : 0;
    const AxisRange& axis =
        axisRanges[int(kind < 2 ? PlotQuantity::Velocity : PlotQuantity::Power)];
    const int32_t ymin = axis.Min;
    const int32_t ymax = axis.Max;
    const double xscale = static_cast<double>(R - L) / (n + 1);
    const double yscale = AxisScale(B - T, ymin, ymax);
    const int32_t labelStep = n / 10 + 1;
    const int64_t groupSize = int64_t{input.IntervalIndex} + 1;

    canvas.save();
    canvas.setPen(BlackPen);
    canvas.setBrush(Brush{RgbWhite});
    canvas.setFont(canvas.isPrinting() ? CanvasFont::Print : CanvasFont::Screen);
    DrawOpenBox(canvas, L, Yt, R, Yb);
    if (ymin < 0 && ymax > 0) {
        const int32_t y0 = Yb + Truncate(ymin * yscale);
        canvas.line(L, y0, R, y0);
    }

    // Bar labels in the caller's text colour.
    const TickRun labelled = LabelledBars(n, labelStep);
    DrawAxisTicks(canvas, labelled.count, AxisRun::Across, layout.xTicks, [&](int64_t i) {
        const int64_t k = labelled.value(i);
        const int32_t x = L + Truncate(k * xscale);
        if (groupSize > 1)
            return AxisTick{x, Yb, IntLabel("%lld - %lld", (k - 1) * groupSize + 1, k * groupSize)};
        return AxisTick{x, Yb, IntLabel(k)};
    });
    DrawWholeText(canvas, {L, Yb + layout.titleTop, R, Yb + layout.titleBottom}, "REP (No)",
                  TextAlign::Centre);

    canvas.setTextColour(RgbBlue);
    canvas.setPen(BluePen);
    DrawYAxisTicks(canvas, L, Yb, ymin, ymax, axis.Step, yscale, layout.yTicks);
    DrawWholeText(canvas, Offset(L, Yt, layout.yTitle), ExerciseYTitles[kind], TextAlign::Centre);

    canvas.setPen(BlackPen);
    const int32_t bottom = Yb - Truncate((BarBase(ymin, ymax) - ymin) * yscale);
    for (int32_t k = 1; k <= n; ++k) {
        const float v = input.GroupMeans[k - 1];
        // The red fill marks bars below a threshold; nothing sets one, so it is 0 and
        // only negative means are red.
        canvas.setBrush(Brush{v < 0 ? RgbRed : RgbBlue});
        const int32_t top = Yb - Truncate((Limit(v, ymin, ymax) - ymin) * yscale);
        const int32_t x = L + Truncate(k * xscale);
        canvas.rectangle({x - layout.barHalfWidth, top, x + layout.barHalfWidth, bottom});
    }
    canvas.restore();
}

} // namespace krovel
