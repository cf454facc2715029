// krovel-cli subcommands. Each subcommand lives in its own file and registers itself:
//   static const bool registered = RegisterCliCommand({"show", "show FILE", RunShow});
#pragma once

namespace krovel::cli {

struct CliCommand {
    const char* name;
    const char* usage;                 // one line, shown by --help
    int (*run)(int argc, char** argv); // argv[0] is the subcommand's name
};

bool RegisterCliCommand(const CliCommand& command);

// Exit status for input the program would refuse (bad file, bad arguments).
constexpr int ExitRefused = 2;

} // namespace krovel::cli
