// Subject names: the folder names made from them (safe on every file system the data may
// travel to) and the loose comparison used to match names typed by people.
#pragma once

#include <string>
#include <string_view>

namespace krovel::quorl {

// The subject's name with path separators, control characters and the characters other
// systems forbid replaced by '_', without leading or trailing blanks and dots, cut to a
// sane length at a character boundary. Never empty, never "." or "..", never a path.
std::string SubjectFolderName(std::string_view subjectName);

// ASCII letters folded to lower case, for matching names and folders ignoring case.
std::string FoldCase(std::string_view text);

// The text without leading and trailing blanks and tabs.
std::string TrimBlanks(std::string_view text);

} // namespace krovel::quorl
