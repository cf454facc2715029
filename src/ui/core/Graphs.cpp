#include "ui/core/Graphs.h"

namespace krovel {

bool IsGraphViewMode(int32_t viewMode) {
    return viewMode == 1 || viewMode == 4 || viewMode == 5;
}

bool DrawGraphForViewMode(Canvas& canvas, int32_t viewMode, const GraphInputs& inputs) {
    const auto rect = [&](const CanvasRect& screen) {
        return canvas.isPrinting() ? PrintedGraphRect : screen;
    };
    switch (viewMode) {
    case 1:
        DrawLiveGraph(canvas, rect(LiveGraphScreenRect), inputs.Live);
        return true;
    case 4:
        DrawExerciseGraph(canvas, rect(ExerciseGraphScreenRect), inputs.Exercise, inputs.Axes);
        return true;
    case 5:
        DrawDiagnosticGraph(canvas, rect(DiagnosticGraphScreenRect), inputs.Diagnostic, inputs.Axes,
                            inputs.SeriesCount);
        return true;
    default:
        return false;
    }
}

} // namespace krovel
