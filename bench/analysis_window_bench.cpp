// Cost of repainting the load-velocity profile window (chart, table and summary) over
// a full table of 1000 series of 100 repetitions. Target: under 5 ms.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>

#include "analysis/gui/ProfileWindow.h"
#include "data/core/DataModel.h"

using namespace krovel;

namespace {

// Twenty loads, velocities falling with the load and within each series.
void FillFullTable() {
    ResetDataModel();
    for (int s = 0; s < MaxSeries; ++s) {
        SeriesRecord& r = Series[s];
        const int load = (s * 7) % 20;
        r.Mass = 20.0f + float(load) * 5.0f;
        r.RepCount = MaxRepetitions;
        for (int j = 0; j < MaxRepetitions; ++j)
            r.MeanVelocity[j] = uint8_t(std::max(1, 60 - load * 2 - j / 5 + (s + j) % 3));
    }
    SeriesCount = MaxSeries;
    DataPresent = 1;
    TestHeader.Exercise = "Back squat";
}

// One application for the whole run, on the offscreen platform.
void StartApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "analysis_window_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

void BM_ProfileWindowRepaint(benchmark::State& state) {
    StartApplication();
    FillFullTable();
    ProfileWindow window(nullptr);
    window.show();
    window.refreshNow();
    QApplication::processEvents();
    for (auto _ : state) window.repaint();
}
BENCHMARK(BM_ProfileWindowRepaint)->Unit(benchmark::kMillisecond);

// For comparison: what following a changed table costs (profile, chart and table rebuilt).
void BM_ProfileWindowRebuild(benchmark::State& state) {
    StartApplication();
    FillFullTable();
    ProfileWindow window(nullptr);
    window.show();
    for (auto _ : state) {
        window.refreshNow();
        window.repaint();
    }
}
BENCHMARK(BM_ProfileWindowRebuild)->Unit(benchmark::kMillisecond);

} // namespace
