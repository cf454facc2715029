#include "ui/core/Chart.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace krovel {

namespace {

constexpr int32_t Pad = 10;         // around the chart
constexpr int32_t TitleHeight = 22; // the chart's title line
constexpr int32_t RowHeight = 16;   // a line of labels or legend
constexpr int32_t TickLength = 4;
constexpr int32_t LabelGap = 4;       // between a tick and its label
constexpr int32_t LegendBox = 10;     // an entry's colour box
constexpr int32_t LegendSpacing = 16; // after an entry
constexpr int32_t HitSlack = 3;       // how far beside a marker the mouse still finds it
constexpr double BarGroupShare = 0.7; // of a category's width

constexpr Rgb GridColour{225, 225, 225};
constexpr Rgb FrameColour{160, 160, 160};
constexpr Rgb LabelColour{60, 60, 60};

// Qt Charts' rounding of an axis: a range of 1, 2, 5 or 10 times a power of ten
// (`up`: the next such number, else the nearest).
double NiceNumber(double x, bool up) {
    const double z = std::pow(10.0, std::floor(std::log10(x)));
    const double q = x / z;
    if (up) return (q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10) * z;
    return (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10) * z;
}

int32_t LegendEntryWidth(const Canvas& canvas, const ChartSeries& s) {
    return LegendBox + LabelGap + canvas.textWidth(s.name) + LegendSpacing;
}

// The legend's entries a row each: as many as fit in `width` on a row below the plot,
// or one a row beside it.
std::vector<std::vector<size_t>> LegendRows(const Canvas& canvas, const Chart& chart,
                                            int32_t width) {
    std::vector<std::vector<size_t>> rows;
    int32_t used = 0;
    for (size_t i = 0; i < chart.series.size(); ++i) {
        const int32_t entry = LegendEntryWidth(canvas, chart.series[i]);
        if (rows.empty() || chart.legend == LegendPlace::Right || used + entry > width) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += entry;
    }
    return rows;
}

int32_t WidestLabel(const Canvas& canvas, const ChartAxis& axis) {
    int32_t widest = 0;
    for (const ChartTick& t : axis.ticks) widest = std::max(widest, canvas.textWidth(t.label));
    return widest;
}

int32_t WidestEntry(const Canvas& canvas, const Chart& chart) {
    int32_t widest = 0;
    for (const ChartSeries& s : chart.series)
        widest = std::max(widest, LegendEntryWidth(canvas, s));
    return widest;
}

struct Mapping {
    const CanvasRect& plot;
    const ChartAxis& x;
    const ChartAxis& y;
    double px(double v) const {
        const double span = x.max - x.min;
        return plot.left + (span > 0 ? (v - x.min) / span : 0.5) * (plot.right - plot.left);
    }
    double py(double v) const {
        const double span = y.max - y.min;
        return plot.bottom - (span > 0 ? (v - y.min) / span : 0.5) * (plot.bottom - plot.top);
    }
    bool inside(double X, double Y) const {
        return X >= plot.left - 0.5 && X <= plot.right + 0.5 && Y >= plot.top - 0.5 &&
               Y <= plot.bottom + 0.5;
    }
};

Mapping MappingOf(const Chart& chart, const ChartSeries& s, const CanvasRect& plot) {
    return {plot, chart.x, s.rightAxis && chart.right ? *chart.right : chart.y};
}

int32_t Round(double v) {
    return int32_t(std::lround(std::clamp(v, -1e9, 1e9)));
}

// The segment's part inside the plot (Liang-Barsky), or nothing.
std::optional<std::pair<ChartPoint, ChartPoint>> ClipToPlot(ChartPoint a, ChartPoint b,
                                                            const CanvasRect& plot) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - plot.left, plot.right - a.x, a.y - plot.top, plot.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return std::nullopt;
    return std::pair{ChartPoint{a.x + t0 * dx, a.y + t0 * dy},
                     ChartPoint{a.x + t1 * dx, a.y + t1 * dy}};
}

// The bar of point `i` of bar series `s`, side by side with the chart's other bars.
CanvasRect BarRect(const Chart& chart, const ChartSeries& s, size_t i, const CanvasRect& plot) {
    size_t index = 0, count = 0;
    for (const ChartSeries& other : chart.series) {
        if (other.kind != ChartSeriesKind::Bars) continue;
        if (&other == &s) index = count;
        ++count;
    }
    const Mapping m = MappingOf(chart, s, plot);
    const double group = (m.px(1) - m.px(0)) * BarGroupShare;
    const double width = group / double(std::max<size_t>(count, 1));
    const double left = m.px(s.points[i].x) - group / 2 + width * double(index);
    const double base = m.py(std::max(m.y.min, 0.0));
    const double top = std::clamp(m.py(s.points[i].y), double(plot.top), double(plot.bottom));
    return {Round(left), Round(std::min(top, base)), Round(left + width),
            Round(std::max(top, base))};
}

void DrawTitle(Canvas& canvas, const Chart& chart, const CanvasRect& area) {
    if (chart.title.empty()) return;
    canvas.text({area.left + Pad, area.top + Pad, area.right - Pad, area.top + Pad + TitleHeight},
                chart.title, TextAlign::Centre);
}

void DrawXAxis(Canvas& canvas, const ChartAxis& x, const ChartLayout& layout) {
    const CanvasRect& plot = layout.plot;
    const Mapping m{plot, x, x};
    const int32_t labelTop = plot.bottom + TickLength + LabelGap / 2;
    for (const ChartTick& t : x.ticks) {
        const int32_t at = Round(m.px(t.value));
        canvas.setPen({GridColour, 1, PenStyle::Solid});
        canvas.line(at, plot.top, at, plot.bottom);
        canvas.setPen({FrameColour, 1, PenStyle::Solid});
        canvas.line(at, plot.bottom, at, plot.bottom + TickLength);
        const int32_t half = canvas.textWidth(t.label) / 2 + 1;
        canvas.text({at - half, labelTop, at + half, labelTop + RowHeight}, t.label,
                    TextAlign::Centre);
    }
    canvas.text({plot.left, labelTop + RowHeight, plot.right, labelTop + 2 * RowHeight}, x.title,
                TextAlign::Centre);
}

// A value axis at the plot's left edge (with the grid) or its right one.
void DrawValueAxis(Canvas& canvas, const ChartAxis& y, const ChartLayout& layout, bool right) {
    const CanvasRect& plot = layout.plot;
    const Mapping m{plot, y, y};
    const int32_t edge = right ? plot.right : plot.left;
    const int32_t out = right ? TickLength : -TickLength;
    for (const ChartTick& t : y.ticks) {
        const int32_t at = Round(m.py(t.value));
        if (!right) {
            canvas.setPen({GridColour, 1, PenStyle::Solid});
            canvas.line(plot.left, at, plot.right, at);
        }
        canvas.setPen({FrameColour, 1, PenStyle::Solid});
        canvas.line(edge, at, edge + out, at);
        const int32_t width = canvas.textWidth(t.label) + 1;
        const int32_t from = edge + out + (right ? LabelGap : -LabelGap - width);
        canvas.text({from, at - RowHeight / 2, from + width, at + RowHeight / 2}, t.label,
                    right ? TextAlign::Left : TextAlign::Right);
    }
    // The title above the axis, flush with the outer edge of its labels.
    const int32_t labels = TickLength + LabelGap + WidestLabel(canvas, y);
    const int32_t width = canvas.textWidth(y.title) + 1;
    const int32_t outer = right ? plot.right + labels : plot.left - labels;
    const CanvasRect title{right ? outer - width : outer, plot.top - RowHeight - LabelGap,
                           right ? outer : outer + width, plot.top - LabelGap};
    canvas.text(title, y.title, right ? TextAlign::Right : TextAlign::Left);
}

void DrawAxes(Canvas& canvas, const Chart& chart, const ChartLayout& layout) {
    canvas.setTextColour(LabelColour);
    DrawXAxis(canvas, chart.x, layout);
    DrawValueAxis(canvas, chart.y, layout, false);
    if (chart.right) DrawValueAxis(canvas, *chart.right, layout, true);
    canvas.setPen({FrameColour, 1, PenStyle::Solid});
    canvas.setBrush({RgbWhite, true});
    canvas.rectangle(
        {layout.plot.left, layout.plot.top, layout.plot.right + 1, layout.plot.bottom + 1});
    canvas.setTextColour(RgbBlack);
}

void DrawMarker(Canvas& canvas, const ChartSeries& s, int32_t x, int32_t y) {
    const int32_t r = s.markerSize / 2;
    const CanvasRect box{x - r, y - r, x - r + s.markerSize + 1, y - r + s.markerSize + 1};
    canvas.setPen({s.colour, 1, PenStyle::Solid});
    canvas.setBrush({s.colour, false});
    if (s.marker == ChartMarker::Square)
        canvas.rectangle(box);
    else
        canvas.ellipse(box);
}

void DrawLine(Canvas& canvas, const ChartSeries& s, const Mapping& m) {
    canvas.setPen({s.colour, s.lineWidth, s.lineStyle});
    for (size_t i = 1; i < s.points.size(); ++i) {
        const ChartPoint a{m.px(s.points[i - 1].x), m.py(s.points[i - 1].y)};
        const ChartPoint b{m.px(s.points[i].x), m.py(s.points[i].y)};
        if (const auto part = ClipToPlot(a, b, m.plot))
            canvas.line(Round(part->first.x), Round(part->first.y), Round(part->second.x),
                        Round(part->second.y));
    }
}

void DrawSeries(Canvas& canvas, const Chart& chart, const ChartSeries& s, const CanvasRect& plot) {
    const Mapping m = MappingOf(chart, s, plot);
    if (s.kind == ChartSeriesKind::Bars) {
        canvas.setPen({s.colour, 1, PenStyle::Solid});
        canvas.setBrush({s.colour, false});
        for (size_t i = 0; i < s.points.size(); ++i) canvas.rectangle(BarRect(chart, s, i, plot));
        return;
    }
    if (s.kind == ChartSeriesKind::Line) DrawLine(canvas, s, m);
    if (s.marker == ChartMarker::None) return;
    for (const ChartPoint& p : s.points) {
        const double x = m.px(p.x), y = m.py(p.y);
        if (!m.inside(x, y)) continue;
        DrawMarker(canvas, s, Round(x), Round(y));
        if (s.pointLabel.empty()) continue;
        const int32_t left = Round(x) - canvas.textWidth(s.pointLabel) / 2;
        const int32_t bottom = Round(y) - s.markerSize / 2 - 1;
        canvas.text({left, bottom - RowHeight, left + canvas.textWidth(s.pointLabel) + 1, bottom},
                    s.pointLabel, TextAlign::Left);
    }
}

void DrawLegend(Canvas& canvas, const Chart& chart, const ChartLayout& layout) {
    const CanvasRect& area = layout.legend;
    const auto rows = LegendRows(canvas, chart, area.right - area.left);
    int32_t top = area.top;
    for (const std::vector<size_t>& row : rows) {
        int32_t width = -LegendSpacing;
        for (size_t i : row) width += LegendEntryWidth(canvas, chart.series[i]);
        int32_t left = chart.legend == LegendPlace::Right
                           ? area.left
                           : area.left + (area.right - area.left - width) / 2;
        for (size_t i : row) {
            const ChartSeries& s = chart.series[i];
            const int32_t boxTop = top + (RowHeight - LegendBox) / 2;
            canvas.setPen({FrameColour, 1, PenStyle::Solid});
            canvas.setBrush({s.colour, false});
            canvas.rectangle({left, boxTop, left + LegendBox, boxTop + LegendBox});
            const int32_t textLeft = left + LegendBox + LabelGap;
            const int32_t textWidth = canvas.textWidth(s.name) + 1;
            canvas.text({textLeft, top, textLeft + textWidth, top + RowHeight}, s.name,
                        TextAlign::Left);
            left += LegendEntryWidth(canvas, s);
        }
        top += RowHeight;
    }
}

} // namespace

std::string FixedNumber(double value, int decimals) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, std::max(0, decimals));
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    // "-0" and "-0.00" are zero.
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') text.erase(0, 1);
    return text;
}

ChartAxis NiceAxis(std::string title, double min, double max, int decimals) {
    constexpr int TickCount = 5;
    ChartAxis axis{std::move(title), min, max, {}};
    if (!(max > min) || !std::isfinite(max - min)) max = min + 1;
    const double step = NiceNumber(NiceNumber(max - min, true) / (TickCount - 1), false);
    const double first = std::floor(min / step), last = std::ceil(max / step);
    axis.min = first * step;
    axis.max = last * step;
    for (double i = first; i <= last; ++i)
        axis.ticks.push_back({i * step, FixedNumber(i * step, decimals)});
    return axis;
}

int32_t LegendLineWidth(const Canvas& canvas, const Chart& chart) {
    int32_t width = 0;
    for (const ChartSeries& s : chart.series) width += LegendEntryWidth(canvas, s);
    return width;
}

ChartLayout LayOutChart(const Canvas& canvas, const Chart& chart, const CanvasRect& area) {
    ChartLayout layout;
    CanvasRect& plot = layout.plot;
    CanvasRect& legend = layout.legend;
    legend = {area.left + Pad, area.bottom - Pad, area.right - Pad, area.bottom - Pad};
    if (chart.legend == LegendPlace::Right && !chart.series.empty())
        legend.left = legend.right - WidestEntry(canvas, chart);
    const int32_t rows = int32_t(LegendRows(canvas, chart, legend.right - legend.left).size());
    plot.top = area.top + Pad + (chart.title.empty() ? 0 : TitleHeight) + RowHeight + LabelGap;
    plot.left = area.left + Pad + WidestLabel(canvas, chart.y) + TickLength + LabelGap;
    const int32_t lastLabel =
        chart.x.ticks.empty() ? 0 : canvas.textWidth(chart.x.ticks.back().label) / 2;
    const int32_t rightRoom =
        chart.right ? WidestLabel(canvas, *chart.right) + TickLength + LabelGap : lastLabel;
    plot.right = area.right - Pad - rightRoom;
    plot.bottom = area.bottom - Pad - TickLength - 2 * RowHeight - LabelGap;
    if (chart.legend == LegendPlace::Right) {
        legend.top = plot.top;
        legend.bottom = legend.top + rows * RowHeight;
        plot.right = legend.left - Pad - rightRoom;
    } else {
        legend.top = legend.bottom - rows * RowHeight;
        plot.bottom -= rows * RowHeight + (rows > 0 ? LabelGap : 0);
    }
    plot.right = std::max(plot.right, plot.left + 1);
    plot.bottom = std::max(plot.bottom, plot.top + 1);
    return layout;
}

void DrawChart(Canvas& canvas, const Chart& chart, const CanvasRect& area) {
    canvas.save();
    canvas.setFont(CanvasFont::Screen);
    canvas.setPen({RgbWhite, 1, PenStyle::None});
    canvas.setBrush({RgbWhite, false});
    canvas.rectangle(area);
    const ChartLayout layout = LayOutChart(canvas, chart, area);
    DrawTitle(canvas, chart, area);
    DrawAxes(canvas, chart, layout);
    for (const ChartSeries& s : chart.series) DrawSeries(canvas, chart, s, layout.plot);
    DrawLegend(canvas, chart, layout);
    canvas.restore();
}

std::optional<ChartHit> HitChart(const Chart& chart, const ChartLayout& layout, int32_t x,
                                 int32_t y) {
    std::optional<ChartHit> hit;
    double nearest = 0;
    for (size_t si = 0; si < chart.series.size(); ++si) {
        const ChartSeries& s = chart.series[si];
        if (s.tips.size() != s.points.size()) continue;
        const Mapping m = MappingOf(chart, s, layout.plot);
        for (size_t i = 0; i < s.points.size(); ++i) {
            double distance = 0;
            if (s.kind == ChartSeriesKind::Bars) {
                const CanvasRect bar = BarRect(chart, s, i, layout.plot);
                if (x < bar.left || x > bar.right || y < bar.top || y > bar.bottom) continue;
            } else {
                const double dx = m.px(s.points[i].x) - x, dy = m.py(s.points[i].y) - y;
                distance = std::hypot(dx, dy);
                if (distance > s.markerSize / 2.0 + HitSlack) continue;
            }
            // Later series lie on top: of equal distances the last one drawn wins.
            if (!hit || distance <= nearest) {
                hit = ChartHit{si, i};
                nearest = distance;
            }
        }
    }
    return hit;
}

} // namespace krovel
