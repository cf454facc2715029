// krovel-cli subcommands. Each subcommand lives in its own file and registers itself:
//   static const bool registered = RegisterCliCommand({"show", "show FILE", RunShow});
#pragma once

#include <string>

namespace krovel::cli {

struct CliCommand {
    const char* name;
    const char* usage;                 // one line, shown by --help
    int (*run)(int argc, char** argv); // argv[0] is the subcommand's name
};

bool RegisterCliCommand(const CliCommand& command);

// Exit status for input the program would refuse (bad file, bad arguments).
constexpr int ExitRefused = 2;
// Exit status when the output could not be written whole (disk full, closed pipe).
constexpr int ExitWriteFailed = 1;

// Writes the text to standard output and flushes it. A failed or short write gives a
// message naming standard output and the cause, and ExitWriteFailed; otherwise 0.
int WriteStandardOutput(const char* command, const std::string& text);

} // namespace krovel::cli
