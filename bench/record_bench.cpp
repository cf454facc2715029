// Cost of the athlete's record over a folder of 1000 sessions of 5 series of 5
// repetitions, all within the default four weeks (target under 100 ms), and of the
// readiness of the newest session against the others (target under 150 ms). With
// KROVEL_BENCH_KEEP=FOLDER the folder is written there and kept, to time the whole
// krovel-cli process on it. KROVEL_BENCH_SESSIONS=N times a folder of N sessions instead,
// still all within three weeks. The Progress window's read of a folder of 10,000 sessions
// is timed as well: the window reads off the interface thread as that takes longer than a
// frame or two.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/core/AthleteRecord.h"
#include "analysis/core/Readiness.h"
#include "analysis/core/SessionProgress.h"
#include "data/core/MeasurementFile.h"

using namespace krovel;

namespace {

int SessionCount() {
    const char* count = std::getenv("KROVEL_BENCH_SESSIONS");
    return count ? std::max(2, std::atoi(count)) : 1000;
}
const int Sessions = SessionCount();
constexpr int32_t Start = 1772452800;           // 2026-03-02 12:00 UTC
const int32_t Apart = 3 * 7 * 86400 / Sessions; // all in under three weeks
constexpr int ManySessions = 10000;

class RecordFolder {
public:
    explicit RecordFolder(int sessions) {
        const char* keep = sessions == Sessions ? std::getenv("KROVEL_BENCH_KEEP") : nullptr;
        if (keep) {
            path_ = keep;
            keep_ = true;
            std::filesystem::create_directories(path_);
        } else {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "krovel-bench-XXXXXX").string();
            if (!mkdtemp(pattern.data())) return;
            path_ = pattern;
        }
        TestHeaderRecord header;
        header.Exercise = "Back squat";
        for (int f = 0; f < sessions; ++f) {
            std::vector<SeriesRecord> table(5);
            for (int s = 0; s < 5; ++s) {
                SeriesRecord& r = table[s];
                r.Mass = 60.0f + 10.0f * float(s);
                r.StartTime = Start + f * Apart + s * 180;
                r.RepCount = 5;
                for (int j = 0; j < 5; ++j)
                    r.MeanVelocity[j] = uint8_t(std::max(1, 50 - 5 * s - j + (f + j) % 3));
            }
            std::ofstream(path_ + "/session" + std::to_string(f) + ".krvx", std::ios::binary)
                << EncodeMeasurementFile(header, table);
        }
    }
    ~RecordFolder() {
        std::error_code ignored;
        if (!path_.empty() && !keep_) std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool keep_ = false;
};

RecordFolder& Folder() {
    static RecordFolder folder(Sessions);
    return folder;
}

void BM_RecordOverFolder(benchmark::State& state) {
    for (auto _ : state) {
        AthleteRecord record;
        const Status built =
            BuildAthleteRecord({Folder().path(), "back squat", {}, 1, {}, {}}, record);
        if (!built || record.Sessions.size() != size_t(Sessions))
            state.SkipWithError("folder not read");
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_RecordOverFolder)->Unit(benchmark::kMillisecond);

void BM_ReadinessOfNewestSession(benchmark::State& state) {
    const std::string file = Folder().path() + "/session" + std::to_string(Sessions - 1) + ".krvx";
    for (auto _ : state) {
        Readiness readiness;
        const Status built = BuildReadiness({file, {}, DefaultRecordWeeks, 1}, readiness);
        if (!built || readiness.Reference.Sessions.size() != size_t(Sessions - 1))
            state.SkipWithError("folder not read");
        benchmark::DoNotOptimize(readiness);
    }
}
BENCHMARK(BM_ReadinessOfNewestSession)->Unit(benchmark::kMillisecond);

void BM_ProgressOverManySessions(benchmark::State& state) {
    static RecordFolder folder(ManySessions);
    for (auto _ : state) {
        ProgressReport report;
        const Status built = BuildProgress({folder.path(), 1, std::nullopt, std::nullopt}, report);
        if (!built || report.FilesRead != ManySessions) state.SkipWithError("folder not read");
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_ProgressOverManySessions)->Unit(benchmark::kMillisecond);

} // namespace
