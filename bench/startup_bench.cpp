// What starting the program costs up to its first paint, next to a bare Qt Widgets
// window (krovel-bare-window: a main window with menus and a status bar, same flags).
// Each run starts the program with KROVEL_EXIT_AFTER_FIRST_PAINT=1, so it quits once its
// main window has painted; the time is the whole process, from start to exit. The two
// programs take turns (bare, krovel, bare, krovel, ...) so a change in the machine's load
// falls on both; the counters are medians over the pairs and their ratios: wall time,
// CPU time (user + system) and peak resident memory of the child.
// The demo device stands in for hardware and KROVEL_HOME is a scratch folder. The
// platform is offscreen unless QT_QPA_PLATFORM says otherwise (xvfb-run with
// QT_QPA_PLATFORM=xcb for a real X server). KROVEL_BENCH_PAIRS=N runs N pairs (15).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMB = 0;
};

std::string Beside(const char* program) {
    return (fs::read_symlink("/proc/self/exe").parent_path() / program).string();
}

// The environment of every run: a scratch home and settings folder, the demo device,
// the offscreen platform unless another is named, and the switch that ends the run.
void PrepareEnvironment(const fs::path& scratch) {
    fs::create_directories(scratch / "home");
    fs::create_directories(scratch / "config");
    setenv("KROVEL_HOME", (scratch / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    setenv("KROVEL_DEVICE", "demo", 1);
    setenv("KROVEL_EXIT_AFTER_FIRST_PAINT", "1", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

// Starts the program and waits for it; false when it could not start, failed, or had
// not painted after 60 s (it is then killed).
bool RunOnce(const std::string& program, Run& run) {
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const bool spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!spawned) return false;
    int status = -1;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) break;
        if (done < 0) return false;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(60)) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return false;
        }
        usleep(200);
    }
    const auto end = std::chrono::steady_clock::now();
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    run.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.peakMB = double(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Pairs() {
    const char* text = std::getenv("KROVEL_BENCH_PAIRS");
    return text ? std::max(1, std::atoi(text)) : 15;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    const fs::path scratch =
        fs::temp_directory_path() / ("krovel-startup-bench-" + std::to_string(getpid()));
    PrepareEnvironment(scratch);
    const std::string bare = Beside("krovel-bare-window");
    const std::string krovel = Beside("krovel");
    std::vector<double> bareWall, bareCpu, barePeak, wall, cpu, peak;
    // One pair first to warm the file cache and write the settings file once; not counted.
    Run warm;
    if (!RunOnce(bare, warm) || !RunOnce(krovel, warm)) state.SkipWithError("a program failed");
    for (auto _ : state) {
        Run b, k;
        if (!RunOnce(bare, b) || !RunOnce(krovel, k)) {
            state.SkipWithError("a program failed or did not paint");
            break;
        }
        bareWall.push_back(b.wallMs);
        bareCpu.push_back(b.cpuMs);
        barePeak.push_back(b.peakMB);
        wall.push_back(k.wallMs);
        cpu.push_back(k.cpuMs);
        peak.push_back(k.peakMB);
    }
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
    if (wall.empty()) return;
    auto& c = state.counters;
    c["krovel_wall_ms"] = Median(wall);
    c["bare_wall_ms"] = Median(bareWall);
    c["wall_ratio"] = Median(wall) / Median(bareWall);
    c["krovel_cpu_ms"] = Median(cpu);
    c["bare_cpu_ms"] = Median(bareCpu);
    c["cpu_ratio"] = Median(cpu) / Median(bareCpu);
    c["krovel_peak_MB"] = Median(peak);
    c["bare_peak_MB"] = Median(barePeak);
    c["peak_ratio"] = Median(peak) / Median(barePeak);
}
BENCHMARK(BM_StartupToFirstPaint)
    ->Iterations(Pairs())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
