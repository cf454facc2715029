// The subcommand registry and the helpers every subcommand shares, in both programs
// (krovel-cli and krovel-cli-print).
#include "CliCommand.h"

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
    const QString synopsis = QString::fromUtf8(usage);
    // The usage line repeats the subcommand's name; the help shows it once.
    return {QStringLiteral("krovel-cli ") + QString::fromUtf8(name), synopsis.section(u' ', 1),
            QString::fromUtf8(text)};
}

std::optional<QString> OneFileProblem(const QStringList& positional) {
    if (positional.isEmpty()) return QStringLiteral("no FILE given");
    if (positional.size() > 1) return QStringLiteral("more than one FILE given");
    return std::nullopt;
}

} // namespace krovel::cli
