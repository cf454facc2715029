// Pieces the three graphs share: real values to coordinates, axis scales, tick loops
// that always end, and ticks with their labels.
#pragma once

#include "ui/core/Canvas.h"

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

// Calls tick(v) for v = min, min + step, ... while v <= max, with a step below 1 taken
// as 1. An axis whose Max equals its Min gets no ticks (it has no scale to place them).
template <typename Tick> void ForEachTick(int32_t min, int32_t max, int32_t step, Tick tick) {
    if (max == min) return;
    int64_t stride = step < 1 ? 1 : step;
    const int64_t span = static_cast<int64_t>(max) - min;
    if (span / stride >= MaxAxisTicks) stride = span / (MaxAxisTicks - 1) + 1;
    for (int64_t v = min; v <= max; v += stride) tick(static_cast<int32_t>(v));
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

// A tick and its label: the tick runs `length` units from the axis point, the label
// box is given as offsets from the same point.
struct TickStyle {
    int32_t length;
    CanvasRect label;
    TextAlign align;
};

// A tick hanging from a horizontal axis at (x, y).
inline void DrawXTick(Canvas& canvas, int32_t x, int32_t y, const TickStyle& style,
                      std::string_view label) {
    canvas.line(x, y, x, y + style.length);
    canvas.text(Offset(x, y, style.label), label, style.align);
}

// A tick beside a vertical axis at (x, y).
inline void DrawYTick(Canvas& canvas, int32_t x, int32_t y, const TickStyle& style,
                      std::string_view label) {
    canvas.line(x, y, x + style.length, y);
    canvas.text(Offset(x, y, style.label), label, style.align);
}

// Value ticks of a vertical axis at x: y = base - trunc((v - min) x scale).
inline void DrawYAxisTicks(Canvas& canvas, int32_t x, int32_t base, int32_t min, int32_t max,
                           int32_t step, double scale, const TickStyle& style) {
    ForEachTick(min, max, step, [&](int32_t v) {
        const int32_t y = base - Truncate((static_cast<double>(v) - min) * scale);
        DrawYTick(canvas, x, y, style, IntLabel(v));
    });
}

} // namespace krovel::graph
