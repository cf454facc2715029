#include "measure/core/SpreadsheetExport.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/core/AtomicFile.h"
#include "data/core/DataModel.h"
#include "data/core/TextFormat.h"
#include "data/core/XmlText.h"
#include "measure/core/RepTableText.h"

namespace krovel {

const std::string_view SpreadsheetFileHead =
    "<?xml version=\"1.0\"?>\n"
    "<ss:Workbook xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n"
    "<ss:Styles>\n"
    "  <ss:Style ss:ID=\"1\">\n"
    "    <ss:Font ss:Bold=\"1\"/>\n"
    "  </ss:Style>\n"
    "  <ss:Style ss:ID=\"2\">\n"
    "    <ss:Font ss:Bold=\"1\"/>\n"
    "    <ss:Interior ss:Color=\"#FFFF00\" ss:Pattern=\"Solid\"/>\n"
    "  </ss:Style>\n"
    "</ss:Styles>\n"
    "<ss:Worksheet ss:Name=\"Sheet1\">\n";

namespace {

constexpr std::string_view FileTail = "</ss:Worksheet>\n</ss:Workbook>\n";
constexpr std::string_view TableStart = "  <ss:Table>\n";
constexpr std::string_view TableEnd = "    </ss:Table>\n";
constexpr std::string_view RowStart = "  <ss:Row>\n";
constexpr std::string_view TitleRowEnd = "    </ss:Row>\n";
constexpr std::string_view DataRowEnd = "  </ss:Row>\n";
constexpr int TitleRowCount = 2;

// How a column's cells are typed: always a number, or a number only when the
// text looks like a plain count (the first column holds repetition numbers or
// ranges such as "1-  2").
enum class ColumnKind { Number, NumberIfDigits };

ColumnKind KindOfColumn(size_t column) {
    return column == 0 ? ColumnKind::NumberIfDigits : ColumnKind::Number;
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The cell text as the spreadsheet gets it: no surrounding white space, and a
// decimal point whatever the user's locale wrote.
std::string CellValue(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    std::string value = text.substr(first, last - first);
    std::replace(value.begin(), value.end(), ',', '.');
    return value;
}

// A decimal number a spreadsheet reads back: optional minus, digits, at most one
// point, at least one digit. Texts such as "nan" or "1.2.3" would make the
// spreadsheet program refuse the whole file if typed "Number".
bool IsDecimalNumber(const std::string& value) {
    size_t i = value.size() > 0 && value[0] == '-' ? 1 : 0;
    bool digit = false, point = false;
    for (; i < value.size(); ++i) {
        if (IsDigit(value[i])) {
            digit = true;
        } else if (value[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

const char* CellType(const std::string& value, ColumnKind kind) {
    if (value.empty()) return "String";
    if (kind == ColumnKind::NumberIfDigits &&
        !std::all_of(value.begin(), value.end(), [](char c) { return IsDigit(c) || c == '.'; }))
        return "String";
    return IsDecimalNumber(value) ? "Number" : "String";
}

// Line `line` (0-based) of a title that may hold several lines; empty past its end.
std::string_view TitleLine(std::string_view title, int line) {
    for (int i = 0; i < line; ++i) {
        const size_t end = title.find('\n');
        if (end == std::string_view::npos) return {};
        title.remove_prefix(end + 1);
    }
    return title.substr(0, title.find('\n'));
}

void AppendTableHead(std::string& out) {
    out += TableStart;
    for (const RepColumn& column : RepColumns) {
        out += FormatText("      <ss:Column ss:Width=\"%d\"/>\n", column.Width);
    }
}

void AppendDescription(std::string& out, const SpreadsheetDescription& description) {
    for (const std::string& line : description) {
        out += "    <ss:Row ss:StyleID=\"1\"><ss:Cell><ss:Data ss:Type=\"String\">";
        out += EscapeXmlText(line);
        out += " </ss:Data></ss:Cell></ss:Row>\n";
    }
}

void AppendTitleRows(std::string& out) {
    for (int line = 0; line < TitleRowCount; ++line) {
        out += RowStart;
        for (const RepColumn& column : RepColumns) {
            out += "      <ss:Cell ss:StyleID=\"2\"><ss:Data ss:Type=\"String\"> ";
            out += EscapeXmlText(TitleLine(column.Title, line));
            out += " </ss:Data></ss:Cell>\n";
        }
        out += TitleRowEnd;
    }
}

void AppendDataRow(std::string& out, const SpreadsheetRow& row) {
    out += RowStart;
    for (size_t c = 0; c < row.size(); ++c) {
        const std::string value = CellValue(row[c]);
        out += "      <ss:Cell><ss:Data ss:Type=\"";
        out += CellType(value, KindOfColumn(c));
        out += "\">";
        out += EscapeXmlText(value);
        out += "</ss:Data></ss:Cell>\n";
    }
    out += DataRowEnd;
}

} // namespace

SpreadsheetDescription SpreadsheetDescriptionOf(int series) {
    const int i = std::clamp(series, 0, MaxSeries - 1);
    const SeriesRecord& entry = Series[i];
    return {
        FormatText("Repetition No: %d\r\n", i + 1),
        FormatText("Name: %s\r\n", TestHeader.Subject.SubjectName.c_str()),
        FormatText("Weight: %5.2f\r\n", static_cast<double>(entry.Mass)),
        FormatText("Lower : %d%s\r\n", entry.SignalBelowPct, " %"),
        FormatText("Upper : %d%s\n", entry.SignalAbovePct, " %"),
        FormatText("Date: %s    Time: %s\r\n", FormatLocalTime(entry.StartTime, "%d.%m.%Y").c_str(),
                   FormatLocalTime(entry.StartTime, "%H:%M:%S").c_str()),
        " ",
    };
}

std::string SpreadsheetWorkbook(const SpreadsheetDescription& description,
                                const std::vector<SpreadsheetRow>& rows) {
    std::string out(SpreadsheetFileHead);
    AppendTableHead(out);
    AppendDescription(out, description);
    AppendTitleRows(out);
    for (const SpreadsheetRow& row : rows) AppendDataRow(out, row);
    out += TableEnd;
    out += FileTail;
    return out;
}

std::string SpreadsheetWorkbookOfCurrentSeries(const std::vector<SpreadsheetRow>& rows) {
    return SpreadsheetWorkbook(SpreadsheetDescriptionOf(CurrentSeries), rows);
}

std::string SpreadsheetExportPath(const std::string& dataFolder) {
    return dataFolder + "/noname.xml";
}

bool ExportSpreadsheet(const std::string& dataFolder, const std::vector<SpreadsheetRow>& rows,
                       const SpreadsheetOpener& open) {
    const std::string path = SpreadsheetExportPath(dataFolder);
    const bool written = WriteFileAtomically(path, SpreadsheetWorkbookOfCurrentSeries(rows)).ok();
    std::error_code error;
    if (open && std::filesystem::is_regular_file(path, error)) open(path);
    return written;
}

} // namespace krovel
