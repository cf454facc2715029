#include "app/core/CommandLine.h"

namespace krovel {

CommandLineParts SplitCommandLine(const std::string& text) {
    size_t blank = text.find(' ');
    if (blank == std::string::npos) return {std::string(), text};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

CommandLineParts CommandLineOfArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return {};
    if (arguments.size() == 1) return {std::string(), arguments.front()};
    CommandLineParts parts{arguments.front(), arguments[1]};
    for (size_t i = 2; i < arguments.size(); ++i) parts.Rest += ' ' + arguments[i];
    return parts;
}

} // namespace krovel
