// The command line of krovel-cli and its subcommands, in plain C++ so that krovel-cli
// needs no Qt library. It keeps the conventions of every program of the suite: --help
// prints the usage on standard output and exits 0, --version prints the version and exits
// 0, --opt=value works like --opt value, and a refused argument gives one line on standard
// error, naming the option or file and the cause, and exit status 2.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krovel::cli {

// Exit status for input a program refuses (bad arguments, a file it cannot use).
inline constexpr int ExitRefused = 2;

struct CommandHelp {
    std::string command; // as the user types it, e.g. "krovel-cli report"
    std::string usage;   // what follows the command on the usage line, e.g. "FILE [OPTIONS]"
    std::string text;    // what the command does, printed between the usage and the options
};

struct CommandOption {
    std::vector<std::string> names; // "o", "output": -o and --output
    std::string description;
    std::string valueName; // empty for an option that takes no value
    std::string defaultValue;
};

// Options are long (--name, --name=value, --name value) or one letter (-o value, -ovalue,
// -hv); "--" ends the options. Its refusals read as the suite's other programs word them:
// "Unknown option 'x'.", "Missing value after '--x'.", "Unexpected value after '--x'.".
class ArgumentParser {
public:
    void addOption(const CommandOption& option) { options_.push_back(option); }
    void addOptions(std::initializer_list<CommandOption> options);
    void addPositionalArgument(std::string name, std::string description, std::string syntax = {});
    // Everything from the first positional argument on is positional (a subcommand's line).
    void setPositionalEndsOptions(bool ends) { positionalEndsOptions_ = ends; }

    // arguments[0] is the program's name. False when an argument is refused (errorText).
    bool parse(const std::vector<std::string>& arguments);
    bool isSet(std::string_view name) const;
    bool isSet(const CommandOption& option) const { return isSet(option.names.front()); }
    // The last value given, or the default when none was.
    std::string value(std::string_view name) const;
    std::string value(const CommandOption& option) const { return value(option.names.front()); }
    const std::vector<std::string>& positionalArguments() const { return positional_; }
    const std::string& errorText() const { return error_; }
    // The options and arguments, aligned, after "Options:" and "Arguments:".
    std::string helpText(const CommandHelp& help) const;

private:
    const CommandOption* find(std::string_view name) const;
    // "--name", "--name=value" or "--name value" at arguments[i]; i moves past a value
    // taken from the next argument. False, with errorText, when it is refused.
    bool takeLongOption(const std::vector<std::string>& arguments, size_t& i,
                        std::vector<std::string>& unknown);
    // One-letter options, several in one argument; the first that takes a value takes
    // the rest of the argument, or the next argument.
    bool takeShortOptions(const std::vector<std::string>& arguments, size_t& i,
                          std::vector<std::string>& unknown);
    // An option's value: the text attached to it when there is one, else the next
    // argument. False, with errorText naming the option as `spelled`, when there is none.
    bool takeValue(const CommandOption& option, const std::vector<std::string>& arguments,
                   size_t& i, std::optional<std::string> attached, const std::string& spelled);

    struct Positional {
        std::string name, description, syntax;
    };
    std::vector<CommandOption> options_;
    std::vector<Positional> positionalHelp_;
    bool positionalEndsOptions_ = false;
    std::vector<std::pair<const CommandOption*, std::string>> given_;
    std::vector<std::string> positional_;
    std::string error_;
};

// The process's arguments as they are.
std::vector<std::string> ArgumentList(int argc, char** argv);

// Adds --help and --version to parser and parses arguments (the first one is the
// program's name). Answers --help and --version, and reports a refused argument.
// Returns the exit status when the command ends here, nothing when it goes on with
// the parsed options.
std::optional<int> ParseCommandLine(ArgumentParser& parser,
                                    const std::vector<std::string>& arguments,
                                    const CommandHelp& help);

// "COMMAND: MESSAGE" on standard error; returns ExitRefused.
int Refuse(std::string_view command, std::string_view message);

// "PATH: the system's reason for errnum", e.g. "a.krvx: Permission denied".
std::string FileProblem(std::string_view path, int errnum);

// The system's reason why path cannot be opened for reading, or nothing when it can.
std::optional<std::string> UnreadableFileProblem(const std::string& path);

// The program's name and version, "krovel-cli 1.25".
std::string VersionLine(std::string_view program);

} // namespace krovel::cli
