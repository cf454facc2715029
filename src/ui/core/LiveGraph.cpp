// The live bar graph: mean power of each repetition shown so far, with the lower
// signal threshold as a red line and the bars under it in red.
#include "ui/core/GraphAxes.h"
#include "ui/core/Graphs.h"

#include <algorithm>

namespace krovel {

using namespace graph;

namespace {

// Every k-th repetition is labelled so the numbers do not run into each other.
int32_t LiveLabelStep(int32_t n) {
    return n < 20 ? 1 : (n < 40 ? 2 : 5);
}

// Offsets from the axis points. On paper the graph takes the printed font, ticks and
// label boxes of the other graphs, which put every text outside the plot; "Pmax"
// stands above the plot at the height of the Y title.
struct LiveLayout {
    TickStyle xTicks;
    int32_t titleTop, titleBottom; // X title, from the bottom of the plot
    TickStyle yTicks;
    CanvasRect yTitle;           // from (L, T)
    int32_t peakTop, peakBottom; // "Pmax", from the top of the plot
};
constexpr LiveLayout ScreenLayout{{3, {-20, 3, 20, 18}, TextAlign::Centre},
                                  18,
                                  33,
                                  {-3, {-40, -10, -5, 10}, TextAlign::Right},
                                  {-30, -25, 30, -10},
                                  -25,
                                  -10};
constexpr LiveLayout PrintLayout{PrintedXTicks,       PrintedXTitleTop, PrintedXTitleBottom,
                                 PrintedLeftTicks,    PrintedYTitle,    PrintedYTitle.top,
                                 PrintedYTitle.bottom};

} // namespace

void DrawLiveGraph(Canvas& canvas, const CanvasRect& rect, const LiveGraphInput& input) {
    const LiveLayout& layout = canvas.isPrinting() ? PrintLayout : ScreenLayout;
    const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    const int32_t n = std::clamp<int32_t>(input.ShownCount, 0, int32_t(input.Values.size()));
    const float P = input.PeakPower;
    // P + 100 in float arithmetic, truncated: the axis top is not rounded to a hundred.
    const int32_t ymax = Truncate(P / 100 * 100 + 100);
    const int32_t ystep = P > 1000 ? 200 : 100;
    const float threshold = P * static_cast<float>(input.SignalBelowPct) / 100;
    const double xscale = static_cast<double>(R - L) / (n + 1);
    const double yscale = ymax > 0 ? static_cast<double>(B - T) / ymax : 0.0;

    canvas.save();
    canvas.setPen(BlackPen);
    canvas.setBrush(Brush{RgbWhite});
    canvas.setFont(canvas.isPrinting() ? CanvasFont::Print : CanvasFont::Screen);
    DrawOpenBox(canvas, L, T, R, B);

    canvas.setPen(RedPen);
    const int32_t yt = B - Truncate(threshold * yscale);
    canvas.line(L, yt, R, yt);
    canvas.setTextColour(RgbRed);
    DrawWholeText(canvas, {L, T + layout.peakTop, R, T + layout.peakBottom},
                  IntLabel("Pmax: %lld", Truncate(P)), TextAlign::Centre);

    canvas.setPen(BlackPen);
    canvas.setTextColour(RgbBlack);
    const TickRun labelled = LabelledBars(n, LiveLabelStep(n));
    DrawAxisTicks(canvas, labelled.count, AxisRun::Across, layout.xTicks, [&](int64_t i) {
        const int64_t k = labelled.value(i);
        return AxisTick{L + Truncate(k * xscale), B, IntLabel(k)};
    });
    DrawWholeText(canvas, {L, B + layout.titleTop, R, B + layout.titleBottom}, "REP (no)",
                  TextAlign::Centre);

    canvas.setTextColour(RgbBlue);
    canvas.setPen(BluePen);
    DrawYAxisTicks(canvas, L, B, 0, ymax, ystep, yscale, layout.yTicks);
    DrawWholeText(canvas, Offset(L, T, layout.yTitle), "P (W)", TextAlign::Centre);

    canvas.setPen(BlackPen);
    for (int32_t k = 1; k <= n; ++k) {
        const float v = input.Values[k - 1];
        canvas.setBrush(Brush{v < threshold ? RgbRed : RgbBlue});
        const int32_t x = L + Truncate(k * xscale);
        const int32_t top = B - Truncate(Limit(v, 0, ymax) * yscale);
        canvas.rectangle({x - 5, top, x + 5, B});
    }
    canvas.restore();
}

} // namespace krovel
