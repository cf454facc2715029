// krovel-devsim end to end: the simulator creates a pseudo-terminal, the serial link
// opens it as COM1 and the decoder fills the table with what the simulator plays.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include "LinkTestSupport.h"

namespace krovel {
namespace {

using testing::LinkTest;
using testing::PointPort;
using testing::WaitUntil;

// krovel-devsim started beside this test program, its first output line (the port) read.
class Devsim {
public:
    explicit Devsim(std::vector<std::string> args) {
        const std::filesystem::path program =
            std::filesystem::read_symlink("/proc/self/exe").parent_path() / "krovel-devsim";
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        output_ = fdopen(out[0], "r");
        char line[256];
        if (output_ && std::fgets(line, sizeof line, output_)) {
            port_ = line;
            if (!port_.empty() && port_.back() == '\n') port_.pop_back();
        }
    }
    ~Devsim() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (output_) std::fclose(output_);
    }
    const std::string& Port() const { return port_; }
    // Exit status once it ended by itself, -1 when it is still running after the wait.
    int WaitForExit() {
        int status = 0;
        const bool ended = WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; });
        exited_ = ended;
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
    std::string port_;
    bool exited_ = false;
};

using DevsimTest = LinkTest;

TEST_F(DevsimTest, EachOpeningOfThePseudoTerminalGetsTheNextSet) {
    Devsim devsim({"--fast"});
    ASSERT_EQ(devsim.Port().rfind("/dev/pts/", 0), 0u) << devsim.Port();
    PointPort(0, devsim.Port());
    const std::vector<SessionSet> session = BuiltInSession();

    for (int s = 0; s < 2; ++s) { // Perform, then Append set
        LinkRequestRecord request = LiveRequest(0);
        ASSERT_EQ(OpenLiveLink(request), 1);
        EXPECT_EQ(DeviceLink.SerialOpen, 1);
        ASSERT_TRUE(WaitUntil([&] { return LoadRepCount(s) == std::ssize(session[s].Reps); }));
        EXPECT_EQ(LoadSeriesCount(), s);
        EXPECT_EQ(Series[s].Mass, session[s].Mass);
        EXPECT_EQ(Series[s].MeanVelocity[0], MeanVelocityByte(session[s].Reps[0].MeanVelocity));
        CloseLink();
        StoreSeriesCount(s + 1);
        // The simulator looks for a closed port every 50 ms; a coach takes longer.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
}

TEST_F(DevsimTest, BulkTransferOfAScriptIsImported) {
    const std::string script = ::testing::TempDir() + "/devsim-script.txt";
    {
        std::FILE* f = std::fopen(script.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("set 40 90 100\nrep 1.10 1.65 700\nrep 1.05 1.60 680\n"
                   "set 60 85 100\nrep 0.80 1.20 760\n",
                   f);
        std::fclose(f);
    }
    Devsim devsim({"--fast", "--once", "--bulk", "--script", script});
    ASSERT_FALSE(devsim.Port().empty());
    PointPort(0, devsim.Port());

    LinkRequestRecord importRequest{};
    ASSERT_EQ(OpenBulkLink(importRequest), 1);
    ASSERT_TRUE(WaitUntil([&] { return LoadFinished(importRequest) == 1; }));
    CloseLink();
    ASSERT_EQ(ParseBulkTransfer(0), 2);
    EXPECT_EQ(Series[0].RepCount, 2);
    EXPECT_EQ(Series[1].SignalBelowPct, 85);
    EXPECT_EQ(Series[1].MaxPower[0], 760.0f);
    EXPECT_EQ(devsim.WaitForExit(), 0);
}

TEST_F(DevsimTest, APortFileIsCreatedWithExactlyTheSessionBytes) {
    const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) /
                                       ("devsim-port-" + std::to_string(getpid()) + ".bin");
    std::filesystem::remove(file);
    Devsim devsim({"--fast", "--port", file.string()});
    ASSERT_EQ(devsim.WaitForExit(), 0);
    std::vector<uint8_t> expected;
    for (const TimedFrame& frame : LiveTimeline(BuiltInSession(), 0, 0))
        expected.insert(expected.end(), frame.Bytes.begin(), frame.Bytes.end());
    std::FILE* f = std::fopen(file.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<uint8_t> written(expected.size() + 1);
    written.resize(std::fread(written.data(), 1, written.size(), f));
    std::fclose(f);
    std::filesystem::remove(file);
    EXPECT_EQ(written, expected);
}

} // namespace
} // namespace krovel
