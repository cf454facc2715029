#include "quorl/core/SubjectRecordFile.h"

#include <charconv>
#include <sstream>

#include "base/core/AtomicFile.h"
#include "base/core/FileRead.h"

namespace krovel::quorl {

namespace {

constexpr size_t MaxRecordFileSize = 64 * 1024;
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string Escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) return std::nullopt;
        switch (value[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::optional<int32_t> ParseInt(std::string_view text) {
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

const char* SexText(int32_t sex) {
    if (sex == SexFemale) return "female";
    if (sex == SexMale) return "male";
    return "none";
}

std::optional<int32_t> ParseSex(std::string_view text) {
    if (text == "female") return SexFemale;
    if (text == "male") return SexMale;
    if (text == "none") return 0;
    return std::nullopt;
}

// Where each key's value goes; keys not listed come from newer versions and are skipped.
std::string* TextField(SubjectRecord& subject, std::string_view key) {
    if (key == "Name") return &subject.SubjectName;
    if (key == "Comment") return &subject.Comment;
    if (key == "SpareText1") return &subject.SubjectSpareText1;
    if (key == "SpareText2") return &subject.SubjectSpareText2;
    return nullptr;
}

int32_t* NumberField(SubjectRecord& subject, std::string_view key) {
    if (key == "Height") return &subject.Height;
    if (key == "BodyWeight") return &subject.BodyWeight;
    if (key == "Spare") return &subject.SubjectSpare;
    return nullptr;
}

// Stores one "key=value" field; false when the value does not read.
bool SetField(SubjectRecord& subject, std::string_view key, std::string_view raw) {
    auto text = Unescape(raw);
    if (!text) return false;
    std::optional<int32_t> number;
    if (std::string* field = TextField(subject, key)) {
        *field = std::move(*text);
    } else if (int32_t* field = NumberField(subject, key)) {
        if (!(number = ParseInt(*text))) return false;
        *field = *number;
    } else if (key == "Sex") {
        if (!(number = ParseSex(*text))) return false;
        subject.Sex = *number;
    }
    return true;
}

} // namespace

std::string FormatSubjectRecord(const SubjectRecord& subject) {
    std::ostringstream out;
    out << "# Quorl subject record\n"
        << "Name=" << Escape(subject.SubjectName) << '\n'
        << "Sex=" << SexText(subject.Sex) << '\n'
        << "Height=" << subject.Height << '\n'
        << "BodyWeight=" << subject.BodyWeight << '\n'
        << "Comment=" << Escape(subject.Comment) << '\n'
        << "Spare=" << subject.SubjectSpare << '\n'
        << "SpareText1=" << Escape(subject.SubjectSpareText1) << '\n'
        << "SpareText2=" << Escape(subject.SubjectSpareText2) << '\n';
    return out.str();
}

std::optional<SubjectRecord> ParseSubjectRecord(std::string_view text) {
    if (text.starts_with(Utf8Bom)) text.remove_prefix(Utf8Bom.size());
    SubjectRecord subject;
    bool named = false;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        size_t equals = line.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        std::string_view key = line.substr(0, equals);
        if (!SetField(subject, key, line.substr(equals + 1))) return std::nullopt;
        if (key == "Name") named = true;
    }
    if (!named || subject.SubjectName.empty()) return std::nullopt;
    return subject;
}

std::optional<SubjectRecord> ReadSubjectRecordFile(const std::filesystem::path& file) {
    auto head = ReadFileHead(file.string(), MaxRecordFileSize);
    if (!head || head->more) return std::nullopt;
    return ParseSubjectRecord(head->bytes);
}

bool WriteSubjectRecordFile(const std::filesystem::path& file, const SubjectRecord& subject) {
    return WriteFileAtomically(file.string(), FormatSubjectRecord(subject)).ok();
}

} // namespace krovel::quorl
