// Cost of a prescription once the line is built (target under 1 ms): the load for a
// velocity, for a percentage, and the table from 40 % to 100 % of the e1RM.
#include <benchmark/benchmark.h>

#include <vector>

#include "analysis/core/LoadPrescription.h"

using namespace krovel;

namespace {

PrescriptionLine Line() {
    LinearFit fit;
    fit.Intercept = 1.45;
    fit.Slope = -0.011;
    return {fit, 0.30, (0.30 - 1.45) / -0.011};
}

void BM_LoadForVelocity(benchmark::State& state) {
    const PrescriptionLine line = Line();
    for (auto _ : state) {
        PrescriptionResult r = LoadForVelocity(line, 0.75, 2.5);
        benchmark::DoNotOptimize(r.Load);
    }
}
BENCHMARK(BM_LoadForVelocity)->Unit(benchmark::kMicrosecond);

void BM_LoadForPercent(benchmark::State& state) {
    const PrescriptionLine line = Line();
    for (auto _ : state) {
        PrescriptionResult r = LoadForPercent(line, 85, 0.5);
        benchmark::DoNotOptimize(r.Load);
    }
}
BENCHMARK(BM_LoadForPercent)->Unit(benchmark::kMicrosecond);

void BM_LoadTable(benchmark::State& state) {
    const PrescriptionLine line = Line();
    for (auto _ : state) {
        std::vector<PrescribedLoad> rows = LoadTable(line, 2.5);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_LoadTable)->Unit(benchmark::kMicrosecond);

} // namespace
