// krovel-devsim: plays a Kinetrak display unit on a serial line, for trying the program
// and for end-to-end tests without the device.
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceOutput.h"
#include "base/io/CommandLineConventions.h"
#include "device/core/DeviceSession.h"

namespace {

using namespace krovel;

constexpr const char* Description =
    R"(Plays a Kinetrak display unit on a serial line. Without --port it creates a
pseudo-terminal, prints its path on the first line of the output and waits until a
program opens it (point the program's COM1 at it: KROVEL_PORT_COM1=PATH, or the
settings key Ports/COM1), then plays the session's first set; every later opening
gets the next set, as a Perform and each Append set do from the unit, and after the
last set the session starts again, until interrupted, or it exits after the first
opening with --once. --bulk sends every set at each opening, --port every set at once.

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
power in steps of 0.5 W, and a set holds at most 100 repetitions.)";

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
        const QString file = QString::fromLocal8Bit(path.c_str());
        Refuse(QStringLiteral("krovel-devsim"),
               UnreadableFileProblem(file).value_or(file + QStringLiteral(": cannot be read")));
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    if (const Status parsed = ParseSessionScript(text.str(), sets); !parsed) {
        std::fprintf(stderr, "krovel-devsim: %s: %s\n", path.c_str(), parsed.message().c_str());
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

// Fills options from the command line. Returns the exit status when the program ends
// here (--help, --version, a refused argument), nothing when it goes on.
std::optional<int> ParseArguments(int argc, char** argv, Options& options, bool& printScript) {
    const CommandHelp help{QStringLiteral("krovel-devsim"), QStringLiteral("[OPTIONS]"),
                           QString::fromUtf8(Description)};
    QCommandLineParser parser;
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("write to this serial port (or file) at once "
                                                 "instead"),
                                  QStringLiteral("PATH"));
    const QCommandLineOption script(QStringLiteral("script"),
                                    QStringLiteral("play the sets of FILE instead of the "
                                                   "built-in session"),
                                    QStringLiteral("FILE"));
    const QCommandLineOption bulk(QStringLiteral("bulk"),
                                  QStringLiteral("send the sets as one stored-series transfer "
                                                 "(an import in the program) instead of live "
                                                 "repetition frames"));
    const QCommandLineOption fast(QStringLiteral("fast"),
                                  QStringLiteral("no pauses: everything at once"));
    const QCommandLineOption pace(QStringLiteral("pace"),
                                  QStringLiteral("milliseconds between repetitions (default "
                                                 "2000, the device's pace); the pause before "
                                                 "each later set is three times as long"),
                                  QStringLiteral("MS"));
    const QCommandLineOption once(QStringLiteral("once"),
                                  QStringLiteral("pseudo-terminal: exit after the first program "
                                                 "closed it"));
    const QCommandLineOption print(QStringLiteral("print-script"),
                                   QStringLiteral("print the built-in session as a script and "
                                                  "exit"));
    parser.addOptions({port, script, bulk, fast, pace, once, print});
    if (auto exit = ParseCommandLine(parser, ArgumentList(argc, argv), help)) return exit;
    if (!parser.positionalArguments().isEmpty())
        return Refuse(
            help.command,
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().front()));
    options.port = parser.value(port).toStdString();
    options.script = parser.value(script).toStdString();
    options.bulk = parser.isSet(bulk);
    options.once = parser.isSet(once);
    printScript = parser.isSet(print);
    if (parser.isSet(pace)) {
        bool ok = false;
        const int ms = parser.value(pace).toInt(&ok);
        if (!ok || ms < 0 || ms > 600000)
            return Refuse(help.command,
                          QStringLiteral("--pace needs milliseconds from 0 to 600000, not '%1'")
                              .arg(parser.value(pace)));
        options.paceMs = ms;
    }
    if (parser.isSet(fast)) options.paceMs = 0;
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    bool printScript = false;
    if (auto exit = ParseArguments(argc, argv, options, printScript)) return *exit;
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
    if (!options.port.empty()) {
        if (const Status opened = out.OpenPath(options.port); !opened) {
            std::fprintf(stderr, "krovel-devsim: %s\n", opened.message().c_str());
            return ExitRefused;
        }
        return Play(out, sets, options) ? 0 : 1;
    }
    if (const Status opened = out.OpenPseudoTerminal(); !opened) {
        std::fprintf(stderr, "krovel-devsim: %s\n", opened.message().c_str());
        return 1;
    }
    std::printf("%s\n", out.SlavePath().c_str());
    std::fflush(stdout);
    size_t next = 0; // the set the next opening gets, live
    do {
        out.WaitForReader();
        std::vector<SessionSet> played = sets;
        if (!options.bulk && !sets.empty()) {
            played = {sets[next]};
            next = (next + 1) % sets.size();
        }
        // The reader purges its input right after it opens the port; give it that moment.
        if (out.Pause(300)) Play(out, played, options);
        out.WaitUntilReaderGone();
    } while (!options.once);
    return 0;
}
