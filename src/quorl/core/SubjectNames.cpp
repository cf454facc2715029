#include "quorl/core/SubjectNames.h"

#include <string_view>

namespace krovel::quorl {

namespace {

constexpr size_t MaxFolderNameBytes = 64;
constexpr std::string_view ForbiddenCharacters = "/\\:*?\"<>|";

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string SubjectFolderName(std::string_view subjectName) {
    std::string name;
    for (char c : subjectName) {
        auto byte = static_cast<unsigned char>(c);
        bool unsafe =
            byte < 0x20 || byte == 0x7F || ForbiddenCharacters.find(c) != std::string_view::npos;
        name += unsafe ? '_' : c;
    }
    if (name.size() > MaxFolderNameBytes) {
        size_t cut = MaxFolderNameBytes;
        while (cut > 0 && IsUtf8Continuation(name[cut])) --cut;
        name.resize(cut);
    }
    // Leading dots hide a folder, trailing dots and blanks are dropped by other systems.
    size_t first = name.find_first_not_of(" .");
    size_t last = name.find_last_not_of(" .");
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    return name.empty() ? "Subject" : name;
}

std::string FoldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string TrimBlanks(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

} // namespace krovel::quorl
