#include "data/core/CsvField.h"

#include "data/core/Unicode.h"

namespace krovel {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number as a spreadsheet reads one: a sign, digits with at most one point,
// and an exponent.
bool IsNumber(std::string_view text) {
    size_t i = 0;
    const auto digits = [&] {
        const size_t from = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        return i - from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

bool RunsAsFormula(std::string_view text) {
    if (text.empty()) return false;
    switch (text.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return !IsNumber(text);
    default:
        return false;
    }
}

} // namespace

std::string CsvField(std::string_view text) {
    std::string field = WithoutNul(text);
    if (RunsAsFormula(field)) field.insert(0, 1, '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char ch : field) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

std::string CsvRow(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) {
        if (c > 0) line += ',';
        line += CsvField(cells[c]);
    }
    return line + "\r\n";
}

} // namespace krovel
