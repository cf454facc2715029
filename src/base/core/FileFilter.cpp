#include "base/core/FileFilter.h"

namespace krovel {

namespace {

std::vector<std::string> SplitPatterns(const std::string& list) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        std::string p = list.substr(start, end - start);
        if (!p.empty()) out.push_back(p);
        start = end + 1;
    }
    return out;
}

} // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::string& filter) {
    std::vector<FileFilterEntry> entries;
    size_t pos = 0;
    while (pos < filter.size()) {
        size_t bar = filter.find('|', pos);
        if (bar == std::string::npos || bar == pos) break; // "||" or a lone text ends it
        FileFilterEntry e;
        e.description = filter.substr(pos, bar - pos);
        size_t next = filter.find('|', bar + 1);
        if (next == std::string::npos) next = filter.size();
        e.patterns = SplitPatterns(filter.substr(bar + 1, next - bar - 1));
        entries.push_back(std::move(e));
        pos = next + 1;
    }
    return entries;
}

std::string DialogFilterText(const std::string& filter) {
    std::string out;
    for (const auto& e : ParseFileFilter(filter)) {
        std::string patterns;
        for (const auto& p : e.patterns) patterns += (patterns.empty() ? "" : " ") + p;
        std::string line = e.description;
        if (!patterns.empty() && line.find("(" + patterns + ")") == std::string::npos)
            line += " (" + patterns + ")";
        if (!out.empty()) out += ";;";
        out += line;
    }
    return out;
}

} // namespace krovel
