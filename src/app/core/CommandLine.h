// The program's command line: a subject token for the subject registry, then the
// suggested file name of the Save dialog.
#pragma once

#include <string>
#include <vector>

namespace krovel {

struct CommandLineParts {
    std::string SubjectToken; // text before the first blank
    std::string Rest;         // everything after it, further blanks included
    std::string OpenFile;     // a measurement file to open once the window shows (--open)
};

// Splits at the first blank (code 32). Without a blank the token is empty and the whole
// text is the rest; quotes are not treated specially.
CommandLineParts SplitCommandLine(const std::string& text);

// The program's arguments as the system passes them, one word each (blanks inside a
// quoted word stay in it). With two or more, the first names the subject and the others,
// joined by single blanks, are the rest; so `krovel "Ana Novak" "sess 2"` selects the
// folder "Ana Novak" and suggests "sess 2". A single word is the rest alone, as a text
// without a blank is.
CommandLineParts CommandLineOfArguments(const std::vector<std::string>& arguments);

} // namespace krovel
