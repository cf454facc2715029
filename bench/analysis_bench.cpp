// Cost of the analyses: the load-velocity profile of a full table (target under 1 ms)
// and progress over a folder of 1000 files of 10 series each (target under 100 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/core/LoadVelocityProfile.h"
#include "analysis/core/SessionProgress.h"
#include "analysis/core/VelocityLoss.h"
#include "data/core/MeasurementFile.h"

using namespace krovel;

namespace {

// `count` series of 100 repetitions; `loads` distinct masses, heavier ones slower.
std::vector<SeriesRecord> Table(int count, int loads, int reps) {
    std::vector<SeriesRecord> table(count);
    for (int s = 0; s < count; ++s) {
        SeriesRecord& r = table[s];
        const int load = (s * 7) % loads;
        r.Mass = 20.0f + float(load) * 2.5f;
        r.StartTime = 1772452800 + s * 120;
        r.RepCount = reps;
        for (int j = 0; j < reps; ++j)
            r.MeanVelocity[j] = uint8_t(std::max(1, 60 - load * 50 / loads - j / 4 + (s + j) % 3));
    }
    return table;
}

void BM_ProfileOfFullTable(benchmark::State& state) {
    const std::vector<SeriesRecord> table = Table(MaxSeries, int(state.range(0)), MaxRepetitions);
    for (auto _ : state) {
        LoadVelocityProfile p = BuildProfile(table, {"Back squat", int32_t(state.range(1)), {}});
        benchmark::DoNotOptimize(p.E1rm);
    }
}
BENCHMARK(BM_ProfileOfFullTable)
    ->ArgNames({"loads", "best"})
    ->Args({20, 1})
    ->Args({20, 5})
    ->Args({1000, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_VelocityLossOfFullTable(benchmark::State& state) {
    const std::vector<SeriesRecord> table = Table(MaxSeries, 20, MaxRepetitions);
    for (auto _ : state) benchmark::DoNotOptimize(VelocityLosses(table).size());
}
BENCHMARK(BM_VelocityLossOfFullTable)->Unit(benchmark::kMicrosecond);

// A folder of 1000 sessions of 10 series with 10 repetitions, written once per run.
class SessionFolder {
public:
    SessionFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "krovel-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        path_ = pattern;
        TestHeaderRecord header;
        for (int f = 0; f < 1000; ++f) {
            header.Exercise = f % 2 ? "Bench press" : "Back squat";
            std::vector<SeriesRecord> table = Table(10, 5, 10);
            for (SeriesRecord& s : table) s.StartTime += f * 86400;
            std::ofstream(path_ + "/session" + std::to_string(f) + ".krvx", std::ios::binary)
                << EncodeMeasurementFile(header, table);
        }
    }
    ~SessionFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void BM_ProgressOverFolder(benchmark::State& state) {
    static SessionFolder folder;
    for (auto _ : state) {
        ProgressReport report;
        const Status built = BuildProgress({folder.path(), 1, {}}, report);
        if (!built || report.FilesRead != 1000) state.SkipWithError("folder not read");
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_ProgressOverFolder)->Unit(benchmark::kMillisecond);

} // namespace
