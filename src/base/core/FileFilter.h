// File-dialog filters as the program's resources write them: pairs of description
// and pattern list separated by "|", ended by "||", e.g. "Krovel Files (*.krvx)|*.krvx||".
#pragma once

#include <string>
#include <vector>

namespace krovel {

struct FileFilterEntry {
    std::string description;           // "Krovel Files (*.krvx)"
    std::vector<std::string> patterns; // {"*.krvx"}
};

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter);

// One line per entry in the "Description (pattern pattern)" form toolkits read:
// the description as it is when it already names its patterns in parentheses,
// otherwise with them appended. Lines are joined with ";;".
std::string DialogFilterText(const std::string& filter);

} // namespace krovel
