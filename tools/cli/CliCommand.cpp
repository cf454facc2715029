// The subcommand registry and the helpers every subcommand shares, in both programs
// (krovel-cli and krovel-cli-print).
#include "CliCommand.h"

#include <string_view>
#include <vector>

namespace krovel::cli {

std::vector<CliCommand>& Commands() {
    static std::vector<CliCommand> commands;
    return commands;
}

bool RegisterCliCommand(const CliCommand& command) {
    Commands().push_back(command);
    return true;
}

CommandHelp SubcommandHelp(const char* name, const char* usage, const char* text) {
    const std::string_view synopsis = usage;
    const size_t space = synopsis.find(' ');
    // The usage line repeats the subcommand's name; the help shows it once.
    return {"krovel-cli " + std::string(name),
            std::string(space == synopsis.npos ? std::string_view() : synopsis.substr(space + 1)),
            text};
}

std::optional<std::string> OneFileProblem(const std::vector<std::string>& positional) {
    if (positional.empty()) return "no FILE given";
    if (positional.size() > 1) return "more than one FILE given";
    return std::nullopt;
}

} // namespace krovel::cli
