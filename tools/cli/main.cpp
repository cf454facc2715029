// krovel-cli: scripting access to measurement files and device streams.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <vector>

#include "CliCommand.h"

namespace krovel::cli {

static std::vector<CliCommand>& Commands() {
    static std::vector<CliCommand> commands;
    return commands;
}

bool RegisterCliCommand(const CliCommand& command) {
    Commands().push_back(command);
    return true;
}

} // namespace krovel::cli

static void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: krovel-cli COMMAND [ARGS]\ncommands:\n");
    for (const auto& c : krovel::cli::Commands()) std::fprintf(out, "  krovel-cli %s\n", c.usage);
}

int main(int argc, char** argv) {
    // Numbers follow the user's locale, as in the program.
    std::setlocale(LC_NUMERIC, "");
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? krovel::cli::ExitRefused : 0;
    }
    for (const auto& c : krovel::cli::Commands()) {
        if (!std::strcmp(c.name, argv[1])) return c.run(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "krovel-cli: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return krovel::cli::ExitRefused;
}
