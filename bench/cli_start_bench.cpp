// What a script pays to run krovel-cli: a whole process that decodes a 1 KB live stream
// from standard input, next to `cat` of the same file. Start-up dominates at this
// size, so the ratio shows what loading libraries costs; krovel-cli should stay within
// a small factor of `cat`.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// 100 live frames of 10 bytes, opened by a series-start marker: 1000 bytes.
const std::string& StreamFile() {
    static const std::string path = [] {
        const fs::path file = fs::temp_directory_path() / "krovel-cli-start-bench.bin";
        std::ofstream out(file, std::ios::binary);
        for (int r = 0; r < 100; ++r) {
            const uint8_t frame[] = {0x00, static_cast<uint8_t>(r == 0),
                                     0x14, 0x5A,
                                     0x64, static_cast<uint8_t>(0x20 + r % 64),
                                     0x10, 0xC9,
                                     0x81, 0x00};
            out.write(reinterpret_cast<const char*>(frame), sizeof frame);
        }
        return file.string();
    }();
    return path;
}

// Runs argv with the stream on standard input and standard output to /dev/null; its
// exit status.
int Run(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, StreamFile().c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status;
}

std::string Beside(const char* program) {
    return (fs::read_symlink("/proc/self/exe").parent_path() / program).string();
}

void BM_KrovelCliDecode1KB(benchmark::State& state) {
    const std::string cli = Beside("krovel-cli");
    for (auto _ : state)
        if (Run({cli, "decode", "--live"}) != 0) state.SkipWithError("krovel-cli failed");
}
BENCHMARK(BM_KrovelCliDecode1KB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Cat1KB(benchmark::State& state) {
    for (auto _ : state)
        if (Run({"cat"}) != 0) state.SkipWithError("cat failed");
}
BENCHMARK(BM_Cat1KB)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
