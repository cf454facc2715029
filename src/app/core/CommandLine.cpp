#include "app/core/CommandLine.h"

namespace krovel {

CommandLineParts SplitCommandLine(const std::string& text) {
    size_t blank = text.find(' ');
    if (blank == std::string::npos) return {std::string(), text};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

} // namespace krovel
