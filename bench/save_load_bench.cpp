// Cost of saving and loading a full table (1000 series of 100 repetitions, the most a
// measurement file holds, about 620 KB), in its three parts: encoding the model into
// the file's bytes, decoding them back, and writing them to disk the way a save does
// (a temporary file beside the target, flushed, renamed over it, the folder flushed).
// The write depends on the disk; the other two are the program's own work.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/core/AtomicFile.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"

using namespace krovel;

namespace {

namespace fs = std::filesystem;

// Every series full, every value varied so no run of bytes repeats.
void FillFullTable() {
    ResetDataModel();
    TestHeader.Subject.SubjectName = "Jordan Example";
    TestHeader.Subject.Comment = "Back squat, week 3 of the block";
    TestHeader.Exercise = "Back squat";
    TestHeader.Sport = "Weightlifting";
    for (int s = 0; s < MaxSeries; ++s) {
        SeriesRecord& r = Series[s];
        r.RepCount = MaxRepetitions;
        r.Mass = 20.0f + float(s % 40) * 2.5f;
        r.StartTime = 1772452800 + s * 90;
        for (int j = 0; j < MaxRepetitions; ++j) {
            r.MeanVelocity[j] = uint8_t(20 + (s * 7 + j * 3) % 60);
            r.MaxVelocity[j] = uint8_t(30 + (s * 5 + j * 11) % 70);
            r.MaxPower[j] = 400.0f + float((s * 13 + j * 17) % 900);
        }
    }
    SeriesCount = MaxSeries;
    DataPresent = 1;
}

void BM_EncodeFullTable(benchmark::State& state) {
    FillFullTable();
    size_t size = 0;
    for (auto _ : state) {
        std::string bytes = EncodeMeasurementFile();
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
    state.counters["file_KB"] = double(size) / 1024.0;
}
BENCHMARK(BM_EncodeFullTable)->Unit(benchmark::kMillisecond);

void BM_DecodeFullTable(benchmark::State& state) {
    FillFullTable();
    const std::string bytes = EncodeMeasurementFile();
    MeasurementScratch scratch;
    for (auto _ : state) {
        const FileLoadError error = DecodeMeasurementFile(
            reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), scratch);
        if (error != FileLoadError::None || scratch.Series.size() != size_t(MaxSeries)) {
            state.SkipWithError("the full table did not decode");
            break;
        }
        benchmark::DoNotOptimize(scratch.Series.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_DecodeFullTable)->Unit(benchmark::kMillisecond);

// The bytes replace a file of the same size each time, as saving over an open file does.
void BM_WriteFullTableToDisk(benchmark::State& state) {
    FillFullTable();
    const std::string bytes = EncodeMeasurementFile();
    const fs::path folder = fs::temp_directory_path() / "krovel-save-load-bench";
    fs::create_directories(folder);
    const std::string path = (folder / "full.krvx").string();
    for (auto _ : state) {
        if (const Status written = WriteFileAtomically(path, bytes); !written) {
            state.SkipWithError(("the write failed: " + written.message()).c_str());
            break;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}
BENCHMARK(BM_WriteFullTableToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
