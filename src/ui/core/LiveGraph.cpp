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

constexpr TickStyle XTicks{3, {-20, 3, 20, 18}, TextAlign::Centre};
constexpr TickStyle YTicks{-3, {-40, -10, -5, 10}, TextAlign::Right};

} // namespace

void DrawLiveGraph(Canvas& canvas, const CanvasRect& rect, const LiveGraphInput& input) {
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
    canvas.setFont(CanvasFont::Screen);
    DrawOpenBox(canvas, L, T, R, B);

    canvas.setPen(RedPen);
    const int32_t yt = B - Truncate(threshold * yscale);
    canvas.line(L, yt, R, yt);
    canvas.setTextColour(RgbRed);
    canvas.text({L, T - 25, R, T - 10}, IntLabel("Pmax: %lld", Truncate(P)), TextAlign::Centre);

    canvas.setPen(BlackPen);
    canvas.setTextColour(RgbBlack);
    const int32_t labelStep = LiveLabelStep(n);
    for (int32_t k = 1; k <= n; k += labelStep)
        DrawXTick(canvas, L + Truncate(k * xscale), B, XTicks, IntLabel(k));
    canvas.text({L, B + 18, R, B + 33}, "REP (no)", TextAlign::Centre);

    canvas.setTextColour(RgbBlue);
    canvas.setPen(BluePen);
    DrawYAxisTicks(canvas, L, B, 0, ymax, ystep, yscale, YTicks);
    canvas.text({L - 30, T - 25, L + 30, T - 10}, "P (W)", TextAlign::Centre);

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
