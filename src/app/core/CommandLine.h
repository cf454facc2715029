// The program's command line: a subject token for the subject registry, then the
// suggested file name of the Save dialog.
#pragma once

#include <string>

namespace krovel {

struct CommandLineParts {
    std::string SubjectToken; // text before the first blank
    std::string Rest;         // everything after it, further blanks included
};

// Splits at the first blank (code 32). Without a blank the token is empty and the whole
// text is the rest; quotes are not treated specially.
CommandLineParts SplitCommandLine(const std::string& text);

} // namespace krovel
