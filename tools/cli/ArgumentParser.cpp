#include "ArgumentParser.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace krovel::cli {

namespace {

void Print(FILE* out, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), out);
    std::fflush(out);
}

std::string OptionSynopsis(const CommandOption& option) {
    std::string text;
    for (const std::string& name : option.names) {
        if (!text.empty()) text += ", ";
        text += (name.size() == 1 ? "-" : "--") + name;
    }
    if (!option.valueName.empty()) text += " <" + option.valueName + '>';
    return text;
}

// Rows of "  name  description", the descriptions in one column.
void AppendRows(std::string& out, const std::vector<std::pair<std::string, std::string>>& rows,
                size_t width) {
    for (const auto& [name, description] : rows) {
        std::string line = "  " + name;
        if (!description.empty()) line += std::string(width + 2 - name.size(), ' ') + description;
        out += line + '\n';
    }
}

} // namespace

void ArgumentParser::addOptions(std::initializer_list<CommandOption> options) {
    for (const CommandOption& option : options) addOption(option);
}

void ArgumentParser::addPositionalArgument(std::string name, std::string description,
                                           std::string syntax) {
    positionalHelp_.push_back({std::move(name), std::move(description), std::move(syntax)});
}

const CommandOption* ArgumentParser::find(std::string_view name) const {
    for (const CommandOption& option : options_) {
        if (std::find(option.names.begin(), option.names.end(), name) != option.names.end())
            return &option;
    }
    return nullptr;
}

bool ArgumentParser::parse(const std::vector<std::string>& arguments) {
    given_.clear();
    positional_.clear();
    error_.clear();
    std::vector<std::string> unknown;
    bool optionsEnded = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            positional_.push_back(argument);
            if (positionalEndsOptions_) optionsEnded = true;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const bool taken = argument[1] == '-' ? takeLongOption(arguments, i, unknown)
                                              : takeShortOptions(arguments, i, unknown);
        if (!taken) return false;
    }
    if (unknown.size() == 1) {
        error_ = "Unknown option '" + unknown.front() + "'.";
    } else if (unknown.size() > 1) {
        error_ = "Unknown options: ";
        for (size_t i = 0; i < unknown.size(); ++i) error_ += (i ? ", " : "") + unknown[i];
        error_ += '.';
    }
    return error_.empty();
}

bool ArgumentParser::takeLongOption(const std::vector<std::string>& arguments, size_t& i,
                                    std::vector<std::string>& unknown) {
    const std::string& argument = arguments[i];
    const size_t equals = argument.find('=');
    const std::string name = argument.substr(2, equals == std::string::npos ? equals : equals - 2);
    const CommandOption* option = find(name);
    if (!option) {
        unknown.push_back(name);
    } else if (option->valueName.empty()) {
        if (equals != std::string::npos) {
            error_ = "Unexpected value after '--" + name + "'.";
            return false;
        }
        given_.emplace_back(option, std::string());
    } else {
        return takeValue(*option, arguments, i,
                         equals != std::string::npos
                             ? std::optional<std::string>(argument.substr(equals + 1))
                             : std::nullopt,
                         "--" + name);
    }
    return true;
}

bool ArgumentParser::takeShortOptions(const std::vector<std::string>& arguments, size_t& i,
                                      std::vector<std::string>& unknown) {
    const std::string& argument = arguments[i];
    for (size_t at = 1; at < argument.size(); ++at) {
        const std::string name = argument.substr(at, 1);
        const CommandOption* option = find(name);
        if (!option) {
            unknown.push_back(name);
            continue;
        }
        if (option->valueName.empty()) {
            given_.emplace_back(option, std::string());
            continue;
        }
        return takeValue(*option, arguments, i,
                         at + 1 < argument.size()
                             ? std::optional<std::string>(argument.substr(at + 1))
                             : std::nullopt,
                         "-" + name);
    }
    return true;
}

bool ArgumentParser::takeValue(const CommandOption& option,
                               const std::vector<std::string>& arguments, size_t& i,
                               std::optional<std::string> attached, const std::string& spelled) {
    if (attached) {
        given_.emplace_back(&option, std::move(*attached));
    } else if (i + 1 < arguments.size()) {
        given_.emplace_back(&option, arguments[++i]);
    } else {
        error_ = "Missing value after '" + spelled + "'.";
        return false;
    }
    return true;
}

bool ArgumentParser::isSet(std::string_view name) const {
    const CommandOption* option = find(name);
    return std::any_of(given_.begin(), given_.end(),
                       [&](const auto& given) { return given.first == option; });
}

std::string ArgumentParser::value(std::string_view name) const {
    const CommandOption* option = find(name);
    for (auto given = given_.rbegin(); given != given_.rend(); ++given) {
        if (given->first == option) return given->second;
    }
    return option ? option->defaultValue : std::string();
}

std::string ArgumentParser::helpText(const CommandHelp& help) const {
    std::string out = "Usage: " + help.command + ' ' + help.usage + '\n' + help.text + "\n\n";
    std::vector<std::pair<std::string, std::string>> options, arguments;
    size_t width = 0;
    for (const CommandOption& option : options_)
        options.emplace_back(OptionSynopsis(option), option.description);
    for (const Positional& argument : positionalHelp_)
        arguments.emplace_back(argument.name, argument.description);
    for (const auto& rows : {options, arguments}) {
        for (const auto& row : rows) width = std::max(width, row.first.size());
    }
    out += "Options:\n";
    AppendRows(out, options, width);
    if (!arguments.empty()) {
        out += "\nArguments:\n";
        AppendRows(out, arguments, width);
    }
    return out;
}

std::vector<std::string> ArgumentList(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::optional<int> ParseCommandLine(ArgumentParser& parser,
                                    const std::vector<std::string>& arguments,
                                    const CommandHelp& help) {
    const CommandOption helpOption{{"h", "help"}, "print this usage and exit", {}, {}};
    const CommandOption versionOption{{"v", "version"}, "print the version and exit", {}, {}};
    parser.addOptions({helpOption, versionOption});
    const bool parsed = parser.parse(arguments);
    // Asking for help or the version wins over anything else on the line.
    if (parser.isSet(helpOption)) {
        Print(stdout, parser.helpText(help));
        return 0;
    }
    if (parser.isSet(versionOption)) {
        Print(stdout, VersionLine(help.command.substr(0, help.command.find(' '))) + '\n');
        return 0;
    }
    if (!parsed) return Refuse(help.command, parser.errorText());
    return std::nullopt;
}

int Refuse(std::string_view command, std::string_view message) {
    Print(stderr, std::string(command) + ": " + std::string(message) + '\n');
    return ExitRefused;
}

std::string FileProblem(std::string_view path, int errnum) {
    return std::string(path) + ": " + std::strerror(errnum);
}

std::optional<std::string> UnreadableFileProblem(const std::string& path) {
    // Opened without waiting: a named pipe would otherwise block until a writer comes.
    errno = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FileProblem(path, errno ? errno : ENOENT);
    struct stat status {};
    const bool known = fstat(fd, &status) == 0;
    ::close(fd);
    // A folder opens like a file here and only fails at the first read.
    if (known && S_ISDIR(status.st_mode)) return FileProblem(path, EISDIR);
    // Pipes and devices are refused as the program refuses them.
    if (!known || !S_ISREG(status.st_mode)) return path + ": Error opening file";
    return std::nullopt;
}

std::string VersionLine(std::string_view program) {
    return std::string(program) + ' ' + KROVEL_VERSION;
}

} // namespace krovel::cli
