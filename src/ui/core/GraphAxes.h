// Pieces the three graphs share: real values to coordinates, axis scales, tick runs
// that always end, ticks with labels that neither clip nor crowd each other.
#pragma once

#include "ui/core/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace krovel::graph {

// The graphs' pens: black axes, blue and red data.
inline constexpr Pen BlackPen{RgbBlack};
inline constexpr Pen BluePen{RgbBlue};
inline constexpr Pen RedPen{RgbRed};

// Every graph position comes from a real number truncated toward zero. Saturating
// keeps a damaged value (huge, infinite, NaN) from overflowing the integer arithmetic
// that follows; no valid drawing comes anywhere near the limit.
inline int32_t Truncate(double v) {
    constexpr double limit = 1 << 24;
    if (std::isnan(v)) return 0;
    if (v > limit) return static_cast<int32_t>(limit);
    if (v < -limit) return -static_cast<int32_t>(limit);
    return static_cast<int32_t>(v);
}

// extent / (max - min). An axis whose Max equals its Min has no scale: 0 puts every
// value on its base edge instead of dividing by zero.
inline double AxisScale(int32_t extent, int32_t min, int32_t max) {
    const double span = static_cast<double>(max) - static_cast<double>(min);
    return span == 0 ? 0.0 : extent / span;
}

// v limited to the range between a and b, whichever is larger (an axis typed with
// Min above Max is drawn upside down, still inside its box).
inline double Limit(double v, double a, double b) {
    const double lo = a < b ? a : b;
    const double hi = a < b ? b : a;
    return v < lo ? lo : (v > hi ? hi : v);
}

// Beyond this many ticks on one axis the step is widened; only a range typed far too
// wide for its step gets there, and drawing millions of labels would freeze the view.
constexpr int64_t MaxAxisTicks = 10000;

// Evenly spaced ticks: first, first + stride, ... (count of them).
struct TickRun {
    int64_t first = 0;
    int64_t stride = 1;
    int64_t count = 0;
    int64_t value(int64_t i) const { return first + i * stride; }
};

// The ticks v = min, min + step, ... while v <= max, with a step below 1 taken as 1.
// An axis whose Max equals its Min gets no ticks (it has no scale to place them).
inline TickRun ValueTicks(int32_t min, int32_t max, int32_t step) {
    const int64_t span = static_cast<int64_t>(max) - min;
    if (span <= 0) return {min, 1, 0};
    int64_t stride = step < 1 ? 1 : step;
    if (span / stride >= MaxAxisTicks) stride = span / (MaxAxisTicks - 1) + 1;
    return {min, stride, span / stride + 1};
}

// The labelled bars of n: k = 1, 1 + step, ... while k <= n.
inline TickRun LabelledBars(int32_t n, int32_t step) {
    return {1, step, n > 0 ? (n - 1) / step + 1 : 0};
}

// A label of one or two integers, formatted without touching the heap.
struct IntLabel {
    explicit IntLabel(int64_t v) : IntLabel("%lld", v) {}
    IntLabel(const char* format, int64_t a) {
        std::snprintf(text, sizeof text, format, static_cast<long long>(a));
    }
    IntLabel(const char* format, int64_t a, int64_t b) {
        std::snprintf(text, sizeof text, format, static_cast<long long>(a),
                      static_cast<long long>(b));
    }
    operator std::string_view() const { return text; }
    char text[48];
};

// A box given as offsets from a point.
inline CanvasRect Offset(int32_t x, int32_t y, const CanvasRect& o) {
    return {x + o.left, y + o.top, x + o.right, y + o.bottom};
}

// The plot's frame: left side, bottom, right side; the top stays open.
inline void DrawOpenBox(Canvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    canvas.line(left, top, left, bottom);
    canvas.line(left, bottom, right, bottom);
    canvas.line(right, bottom, right, top);
}

// `box` widened, when the text is wider than it, away from the side the text is
// aligned to: a left-aligned box grows to the right, a right-aligned one to the left
// and a centred one equally both ways, so the text is drawn whole where it was meant
// to stand. Text that fits keeps its box.
inline CanvasRect WholeTextBox(const Canvas& canvas, const CanvasRect& box, std::string_view text,
                               TextAlign align) {
    int32_t left = std::min(box.left, box.right);
    int32_t right = std::max(box.left, box.right);
    const int32_t missing = canvas.textWidth(text) - (right - left);
    if (missing <= 0) return box;
    switch (align) {
    case TextAlign::Left:
        right += missing;
        break;
    case TextAlign::Right:
        left -= missing;
        break;
    case TextAlign::Centre:
        left -= missing / 2;
        right += missing - missing / 2;
        break;
    }
    return {left, box.top, right, box.bottom};
}

// Axis titles and labels are never clipped.
inline void DrawWholeText(Canvas& canvas, const CanvasRect& box, std::string_view text,
                          TextAlign align) {
    canvas.text(WholeTextBox(canvas, box, text, align), text, align);
}

// A tick and its label: the tick runs `length` units from the axis point, the label
// box is given as offsets from the same point.
struct TickStyle {
    int32_t length;
    CanvasRect label;
    TextAlign align;
};

// The printed axes the graphs share (0.1 mm, y upward, so these offsets put ticks,
// labels and titles outside the plot): ticks under the X axis and their labels, ticks
// and right-aligned labels left of a vertical axis, the X title under the labels and a
// Y title above the plot's top.
inline constexpr TickStyle PrintedXTicks{-20, {-200, -20, 200, -60}, TextAlign::Centre};
inline constexpr TickStyle PrintedLeftTicks{-15, {-100, 20, -20, -20}, TextAlign::Right};
inline constexpr int32_t PrintedXTitleTop = -80;
inline constexpr int32_t PrintedXTitleBottom = -120;
inline constexpr CanvasRect PrintedYTitle{-200, 60, 200, 20};

// Labels of a horizontal axis stand side by side; those of a vertical axis one above
// the other.
enum class AxisRun { Across, Upward };

// One tick: its point on the axis and its label.
struct AxisTick {
    int32_t x;
    int32_t y;
    IntLabel label;
};

namespace detail {

// The stretch of the axis a label's text covers.
struct LabelSpan {
    int32_t low = 0;
    int32_t high = 0;
};

// Across, the text's width where its alignment puts it; upward, one character height
// around the middle of the box (the labels are numbers, with no descenders).
inline LabelSpan SpanOfLabel(const Canvas& canvas, AxisRun run, const CanvasRect& box,
                             std::string_view text, TextAlign align) {
    if (run == AxisRun::Upward) {
        const int32_t middle = (box.top + box.bottom) / 2;
        const int32_t height = FontHeight(canvas.state().font);
        return {middle - height / 2, middle + height - height / 2};
    }
    const int32_t left = std::min(box.left, box.right);
    const int32_t right = std::max(box.left, box.right);
    const int32_t width = canvas.textWidth(text);
    switch (align) {
    case TextAlign::Left:
        return {left, left + width};
    case TextAlign::Right:
        return {right - width, right};
    case TextAlign::Centre:
        break;
    }
    const int32_t middle = left + (right - left) / 2;
    return {middle - width / 2, middle + width - width / 2};
}

inline bool LabelsMeet(const LabelSpan& a, const LabelSpan& b, int32_t gap) {
    return a.low < b.high + gap && b.low < a.high + gap;
}

} // namespace detail

// `count` ticks along an axis, tickAt(i) giving the i-th (i = 0 .. count - 1). Every
// tick is drawn. The first and the last label are always drawn; any other label that
// would run into the label drawn before it, or into the last one, is left out, so
// crowded labels never merge into an unreadable band. Side by side, labels keep a
// quarter of the character height apart.
template <typename TickAt>
void DrawAxisTicks(Canvas& canvas, int64_t count, AxisRun run, const TickStyle& style,
                   TickAt tickAt) {
    if (count <= 0) return;
    const auto spanOf = [&](const AxisTick& tick) {
        return detail::SpanOfLabel(canvas, run, Offset(tick.x, tick.y, style.label), tick.label,
                                   style.align);
    };
    const int32_t gap = run == AxisRun::Across ? FontHeight(canvas.state().font) / 4 : 0;
    const AxisTick last = tickAt(count - 1);
    const detail::LabelSpan lastSpan = spanOf(last);
    detail::LabelSpan drawn;
    for (int64_t i = 0; i < count; ++i) {
        const bool isLast = i + 1 == count;
        const AxisTick tick = isLast ? last : tickAt(i);
        if (run == AxisRun::Across)
            canvas.line(tick.x, tick.y, tick.x, tick.y + style.length);
        else
            canvas.line(tick.x, tick.y, tick.x + style.length, tick.y);
        const detail::LabelSpan span = isLast ? lastSpan : spanOf(tick);
        if (i > 0 && !isLast &&
            (detail::LabelsMeet(span, drawn, gap) || detail::LabelsMeet(span, lastSpan, gap)))
            continue;
        DrawWholeText(canvas, Offset(tick.x, tick.y, style.label), tick.label, style.align);
        drawn = span;
    }
}

// Value ticks of a vertical axis at x: y = base - trunc((v - min) x scale).
inline void DrawYAxisTicks(Canvas& canvas, int32_t x, int32_t base, int32_t min, int32_t max,
                           int32_t step, double scale, const TickStyle& style) {
    const TickRun ticks = ValueTicks(min, max, step);
    DrawAxisTicks(canvas, ticks.count, AxisRun::Upward, style, [&](int64_t i) {
        const int64_t v = ticks.value(i);
        return AxisTick{x, base - Truncate((static_cast<double>(v) - min) * scale), IntLabel(v)};
    });
}

} // namespace krovel::graph
