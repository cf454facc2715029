// The three graphs of the main view and the printed report, drawn only through a
// Canvas in its logical units. On a printing canvas they draw their printed variants
// (PrintFont, longer ticks, wider label boxes). Each saves the canvas state first and
// restores it before returning. Painting happens on the user-interface thread only.
#pragma once

#include "data/core/Settings.h"
#include "ui/core/Canvas.h"

#include <cstdint>
#include <span>

namespace krovel {

// Axis ranges by PlotQuantity (mass, force, velocity, power); the view passes AxisRanges.
using AxisRangeTable = std::span<const AxisRange, AxisRangeCount>;

// Where the view paints each graph on screen.
inline constexpr CanvasRect ExerciseGraphScreenRect{60, 100, 660, 220};
inline constexpr CanvasRect LiveGraphScreenRect{60, 200, 660, 320};
inline constexpr CanvasRect DiagnosticGraphScreenRect{60, 200, 660, 420};
// Where the printed report puts whichever graph it prints (0.1 mm, y upward).
inline constexpr CanvasRect PrintedGraphRect{200, -400, 1600, -1000};

// The live series: one bar per repetition shown so far, mean power, red below the
// lower signal threshold.
struct LiveGraphInput {
    std::span<const float> Values; // LiveValues: mean power of each repetition (W)
    int32_t ShownCount = 0;        // LiveShownCount: bars drawn (kept within Values)
    float PeakPower = 0;           // LivePeakPower
    int32_t SignalBelowPct = 0;    // the TestHeader's lower signal percentage
};
// One layout for screen and paper, always in the screen font.
void DrawLiveGraph(Canvas& canvas, const CanvasRect& rect, const LiveGraphInput& input);

// The exercise graph: one bar per group mean of the current series.
struct ExerciseGraphInput {
    std::span<const float> GroupMeans; // GroupMeanValues[0 .. GroupMeanCount)
    int32_t IntervalIndex = 0;         // group size - 1, for the bar labels
    int32_t ParamYIndex = 0;           // ValueKind of the means: picks axis row and title
};
// Drawn 150 units below `rect` on screen (above it on paper). Bars of negative means
// are red, the others blue.
void DrawExerciseGraph(Canvas& canvas, const CanvasRect& rect, const ExerciseGraphInput& input,
                       AxisRangeTable axisRanges);

// The GraphDataBar's selections.
struct DiagnosticSelection {
    int32_t DataIndex = 0; // 0 "maximum", N-1 "means of N": best repetitions averaged per load
    int32_t XIndex = 0;    // PlotQuantity on the X axis (points are sorted by it)
    int32_t Y1Index = 2;   // PlotQuantity on the left, blue axis
    int32_t Y2Index = 3;   // PlotQuantity on the right, red axis
};
// The load profile of series 0 .. seriesCount-1. The load points are rebuilt on every
// call in fixed storage (see LoadPoints.h).
void DrawDiagnosticGraph(Canvas& canvas, const CanvasRect& rect,
                         const DiagnosticSelection& selection, AxisRangeTable axisRanges,
                         int32_t seriesCount);

// Everything the three graphs read, for the callers that pick the graph by view mode.
struct GraphInputs {
    LiveGraphInput Live;
    ExerciseGraphInput Exercise;
    DiagnosticSelection Diagnostic;
    int32_t SeriesCount = 0;
    AxisRangeTable Axes;
};

// Whether a view mode (1 live, 4 exercise, 5 diagnostic) shows a graph.
bool IsGraphViewMode(int32_t viewMode);

// The graph of a view mode (1 live, 4 exercise, 5 diagnostic) in its screen rectangle,
// or in PrintedGraphRect on a printing canvas. Any other mode draws nothing: false.
bool DrawGraphForViewMode(Canvas& canvas, int32_t viewMode, const GraphInputs& inputs);

} // namespace krovel
