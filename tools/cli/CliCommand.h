// krovel-cli subcommands. Each subcommand lives in its own file and registers itself:
//   static const bool registered = RegisterCliCommand({"show", "show FILE", RunShow});
// and parses its arguments with ParseCommandLine (--help, --version, refusals).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ArgumentParser.h"

namespace krovel::cli {

struct CliCommand {
    const char* name;
    const char* usage;                 // one line, shown by --help
    int (*run)(int argc, char** argv); // argv[0] is the subcommand's name
};

bool RegisterCliCommand(const CliCommand& command);
// The registered subcommands, in the order they registered.
std::vector<CliCommand>& Commands();

// The help of one subcommand: its usage line (as registered) and what it does.
CommandHelp SubcommandHelp(const char* name, const char* usage, const char* text);

// Why the positional arguments are not exactly one FILE, or nothing when they are.
std::optional<std::string> OneFileProblem(const std::vector<std::string>& positional);

// Exit status when the output could not be written whole (a full disk, a write error). A
// reader that closes the pipe early ends the process by SIGPIPE instead, silently, as it
// ends cat; only where SIGPIPE is ignored does the write fail with EPIPE and give this.
constexpr int ExitWriteFailed = 1;

// Writes the text to standard output and flushes it. A failed or short write gives a
// message naming standard output and the cause, and ExitWriteFailed; otherwise 0.
int WriteStandardOutput(const char* command, const std::string& text);
// The same for text meant for a terminal: each NUL is written as U+FFFD (WithoutNul),
// which a terminal shows and a reader does not take for the end of the text.
int WriteStandardText(const char* command, const std::string& text);

} // namespace krovel::cli
