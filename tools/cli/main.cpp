// krovel-cli: scripting access to measurement files and device streams. It links the
// program's core and no Qt library; `print`, which draws pages, runs the program
// krovel-cli-print.
#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "CliCommand.h"
#include "base/core/AtomicFile.h"

namespace {

using namespace krovel;

cli::CommandHelp ToolHelp() {
    std::string text =
        "Works on measurement files and device streams with the program's own code.\n"
        "krovel-cli COMMAND --help describes one command.\n\nCommands:";
    for (const auto& c : cli::Commands()) text += std::string("\n  krovel-cli ") + c.usage;
    return {"krovel-cli", "COMMAND [ARGS]", text};
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// Whether a rule's category pattern ("krovel.files", "krovel.*", "*.files", "*") names
// the category, as the logging rules of the suite's Qt programs match them.
bool PatternMatches(std::string_view pattern, std::string_view category) {
    const bool head = pattern.starts_with('*'), tail = pattern.size() > 1 && pattern.ends_with('*');
    if (head) pattern.remove_prefix(1);
    if (tail) pattern.remove_suffix(1);
    if (head && tail) return category.find(pattern) != std::string_view::npos;
    if (head) return category.ends_with(pattern);
    if (tail) return category.starts_with(pattern);
    return category == pattern;
}

// Warnings of category are on unless QT_LOGGING_RULES turns them off, the last rule
// that names them deciding, as in the program: "krovel.files.warning=false",
// "krovel.*=false". Rules in logging configuration files are not read.
bool WarningsEnabled(std::string_view category) {
    const char* rules = std::getenv("QT_LOGGING_RULES");
    bool enabled = true;
    std::string_view rest = rules ? rules : "";
    while (!rest.empty()) {
        const size_t end = rest.find_first_of(";\n");
        std::string_view rule = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        const size_t equals = rule.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view pattern = Trimmed(rule.substr(0, equals));
        const std::string_view value = Trimmed(rule.substr(equals + 1));
        if (value != "true" && value != "false") continue;
        const size_t dot = pattern.rfind('.');
        const std::string_view level =
            dot == std::string_view::npos ? std::string_view() : pattern.substr(dot + 1);
        if (level == "debug" || level == "info" || level == "critical") continue;
        if (level == "warning") pattern = pattern.substr(0, dot);
        if (PatternMatches(pattern, category)) enabled = value == "true";
    }
    return enabled;
}

// The core's warnings about files it wrote all the same (a folder that could not be
// flushed after a save) go to standard error as "krovel.files: TEXT", as the program
// logs them.
void LogFileWarnings() {
    if (!WarningsEnabled("krovel.files")) return;
    SetFileWarningSink(
        [](const std::string& text) { std::fprintf(stderr, "krovel.files: %s\n", text.c_str()); });
}

} // namespace

int main(int argc, char** argv) {
    // Numbers follow the user's locale, as in the program.
    std::setlocale(LC_NUMERIC, "");
    LogFileWarnings();
    // Options before the command belong to krovel-cli; everything from the command on
    // belongs to the command.
    cli::ArgumentParser parser;
    parser.setPositionalEndsOptions(true);
    parser.addPositionalArgument("COMMAND", "what to do");
    const cli::CommandHelp help = ToolHelp();
    if (auto exit = cli::ParseCommandLine(parser, cli::ArgumentList(argc, argv), help))
        return *exit;
    const std::vector<std::string>& words = parser.positionalArguments();
    if (words.empty()) return cli::Refuse(help.command, "no command given");
    // The command's own arguments start at its name, wherever it stood on the line.
    const int at = argc - static_cast<int>(words.size());
    for (const auto& c : cli::Commands()) {
        if (words.front() == c.name) return c.run(argc - at, argv + at);
    }
    return cli::Refuse(help.command, "unknown command '" + words.front() + "'");
}
