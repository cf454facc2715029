// krovel-devsim: plays a Kinetrak display unit on a serial line, for trying the program
// and for end-to-end tests without the device.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceOutput.h"
#include "device/core/DeviceSession.h"

namespace {

using namespace krovel;

constexpr const char* Usage = R"(Usage: krovel-devsim [OPTIONS]

Plays a Kinetrak display unit on a serial line. Without --port it creates a
pseudo-terminal, prints its path on the first line of the output and waits until a
program opens it (point the program's COM1 at it: KROVEL_PORT_COM1=PATH, or the
settings key Ports/COM1), then plays the session; it serves every later opening again
until interrupted, or exits after the first with --once.

Options:
  --port PATH     write to this serial port (or file) at once instead
  --script FILE   play the sets of FILE instead of the built-in session
  --bulk          send the sets as one stored-series transfer (an import in the
                  program) instead of live repetition frames
  --fast          no pauses: everything at once
  --pace MS       milliseconds between repetitions (default 2000, the device's pace);
                  the pause before each later set is three times as long
  --once          pseudo-terminal: exit after the first program closed it
  --print-script  print the built-in session as a script and exit
  --help          this text

Script format: one statement per line, '#' starts a comment.
  set MASS_KG BELOW_PCT ABOVE_PCT   starts a set: barbell mass in kg, "Signal below"
                                    and "Signal above" thresholds in percent
                                    (whole numbers 0..255)
  rep MEAN_M_S MAX_M_S POWER_W      one repetition of the current set: mean and maximum
                                    velocity in m/s, maximum power in watts
Example:
  set 60 90 100
  rep 0.85 1.28 830
  rep 0.83 1.25 812
The unit sends velocities in steps of 0.02 m/s (mean) and 0.03 m/s (maximum) and
power in steps of 0.5 W, and a set holds at most 100 repetitions.
)";

struct Options {
    std::string port;
    std::string script;
    bool bulk = false;
    bool once = false;
    int paceMs = 2000;
};

bool LoadScript(const std::string& path, std::vector<SessionSet>& sets) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "krovel-devsim: cannot read %s\n", path.c_str());
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!ParseSessionScript(text.str(), sets, error)) {
        std::fprintf(stderr, "krovel-devsim: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

// Plays the session once; false when the reader went away before the end.
bool Play(devsim::DeviceOutput& out, const std::vector<SessionSet>& sets, const Options& options) {
    if (options.bulk) {
        constexpr size_t Chunk = 64; // about 11 ms of the line at 57600 baud
        const std::vector<uint8_t> transfer = EncodeBulkTransfer(sets);
        for (size_t at = 0; at < transfer.size(); at += Chunk) {
            if (!out.Write(std::span(transfer).subspan(at, std::min(Chunk, transfer.size() - at))))
                return false;
            if (!out.Pause(options.paceMs > 0 ? 11 : 0)) return false;
        }
        return true;
    }
    for (const TimedFrame& frame : LiveTimeline(sets, options.paceMs, options.paceMs * 3)) {
        if (!out.Pause(frame.DelayMs) || !out.Write(frame.Bytes)) return false;
    }
    return true;
}

bool ParseArguments(int argc, char** argv, Options& options, bool& printScript) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        std::string pace;
        if (a == "--port") {
            if (!value(options.port)) return false;
        } else if (a == "--script") {
            if (!value(options.script)) return false;
        } else if (a == "--bulk") {
            options.bulk = true;
        } else if (a == "--fast") {
            options.paceMs = 0;
        } else if (a == "--once") {
            options.once = true;
        } else if (a == "--print-script") {
            printScript = true;
        } else if (a == "--pace") {
            if (!value(pace)) return false;
            char* end = nullptr;
            const long ms = std::strtol(pace.c_str(), &end, 10);
            if (end == pace.c_str() || *end != '\0' || ms < 0 || ms > 600000) return false;
            options.paceMs = static_cast<int>(ms);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
    }
    Options options;
    bool printScript = false;
    if (!ParseArguments(argc, argv, options, printScript)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    std::vector<SessionSet> sets = BuiltInSession();
    if (printScript) {
        std::fputs(SessionScript(sets).c_str(), stdout);
        return 0;
    }
    if (!options.script.empty() && !LoadScript(options.script, sets)) return 2;
    if (options.bulk) {
        const size_t fit = SetsInOneTransfer(sets);
        if (fit < sets.size())
            std::fprintf(stderr,
                         "krovel-devsim: one transfer holds only the first %zu of %zu sets; "
                         "%zu sets were left out\n",
                         fit, sets.size(), sets.size() - fit);
    }

    devsim::DeviceOutput out;
    std::string error;
    if (!options.port.empty()) {
        if (!out.OpenPath(options.port, error)) {
            std::fprintf(stderr, "krovel-devsim: %s\n", error.c_str());
            return 1;
        }
        return Play(out, sets, options) ? 0 : 1;
    }
    if (!out.OpenPseudoTerminal(error)) {
        std::fprintf(stderr, "krovel-devsim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", out.SlavePath().c_str());
    std::fflush(stdout);
    do {
        out.WaitForReader();
        // The reader purges its input right after it opens the port; give it that moment.
        if (out.Pause(300)) Play(out, sets, options);
        out.WaitUntilReaderGone();
    } while (!options.once);
    return 0;
}
