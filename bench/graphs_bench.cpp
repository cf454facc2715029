// Cost of the graphs: the diagnostic load points over a full table, and each graph
// painted with QPainter into an image of the view's size. Targets: load points under
// 2 ms, any graph under 5 ms.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <vector>

#include "data/core/DataModel.h"
#include "measure/core/LoadPoints.h"
#include "measure/core/RepTableText.h"
#include "ui/core/Graphs.h"
#include "ui/core/PrintedPage.h"
#include "ui/core/RecordingCanvas.h"
#include "ui/gui/QPainterCanvas.h"

using namespace krovel;

namespace {

// 1000 series, each its own load, ten repetitions each. Descending masses are the
// exchange sort's worst case when sorting by mass.
void FillTable(bool descending) {
    ResetDataModel();
    for (int s = 0; s < MaxSeries; ++s) {
        SeriesRecord& r = Series[s];
        r.Mass = descending ? float(MaxSeries - s) * 0.125f : float(s) * 0.125f;
        r.RepCount = 10;
        for (int j = 0; j < r.RepCount; ++j)
            r.MeanVelocity[j] = uint8_t(20 + (s * 7 + j * 13) % 60);
    }
    SeriesCount = MaxSeries;
}

void BM_LoadPoints(benchmark::State& state) {
    FillTable(state.range(0) != 0);
    static LoadPointSet points;
    for (auto _ : state) {
        BuildLoadPoints(SeriesCount, int32_t(state.range(1)), int32_t(PlotQuantity::Mass), points);
        benchmark::DoNotOptimize(points.Count);
    }
}
BENCHMARK(BM_LoadPoints)
    ->ArgNames({"descending", "best"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({1, 10})
    ->Unit(benchmark::kMicrosecond);

void BM_DiagnosticGraphRecorded(benchmark::State& state) {
    FillTable(true);
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.clear();
        DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {0, 0, 2, 3}, DefaultAxisRanges,
                            SeriesCount);
        benchmark::DoNotOptimize(canvas.primitives().data());
    }
}
BENCHMARK(BM_DiagnosticGraphRecorded)->Unit(benchmark::kMicrosecond);

// Painting text needs a GUI application; the offscreen platform serves without a display.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "graphs_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

enum class Graph { Live, Exercise, Diagnostic };

void BM_PaintGraph(benchmark::State& state) {
    EnsureGuiApplication();
    FillTable(true);
    const auto graph = Graph(state.range(0));
    const std::vector<float> live(MaxRepetitions, 350.0f);
    const std::vector<float> means(MaxRepetitions, 1.2f);
    QImage image(880, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, QPainterCanvas::Target::Screen);
        switch (graph) {
        case Graph::Live:
            DrawLiveGraph(canvas, LiveGraphScreenRect, {live, MaxRepetitions, 420.0f, 90});
            break;
        case Graph::Exercise:
            DrawExerciseGraph(canvas, ExerciseGraphScreenRect, {means, 0, 0}, DefaultAxisRanges);
            break;
        case Graph::Diagnostic:
            DrawDiagnosticGraph(canvas, DiagnosticGraphScreenRect, {0, 0, 2, 3}, DefaultAxisRanges,
                                SeriesCount);
            break;
        }
    }
}
BENCHMARK(BM_PaintGraph)
    ->ArgName("live0_exercise1_diagnostic2")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMicrosecond);

// The printed report of a 100-repetition series as its table (the rows that fit on a
// landscape A4 page) or as the diagnostic graph of the full table, painted on an image
// of an A4 landscape page at screen resolution. Target: under 20 ms, as a preview page.
void BM_PrintedPage(benchmark::State& state) {
    EnsureGuiApplication();
    FillTable(true);
    Series[0].RepCount = MaxRepetitions;
    const int32_t mode = int32_t(state.range(0));
    const std::vector<RepRowText> rows = DigitalReportRows(0, 0);
    QImage image(1123, 794, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    const GraphInputs inputs{.Diagnostic = {0, 0, 2, 3},
                             .SeriesCount = SeriesCount,
                             .Axes = AxisRangeTable(DefaultAxisRanges)};
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, QPainterCanvas::Target::Paper);
        DrawPrintedPage(canvas, mode, rows, inputs, 1900);
    }
}
BENCHMARK(BM_PrintedPage)->ArgName("view_mode")->Arg(2)->Arg(5)->Unit(benchmark::kMicrosecond);

} // namespace
