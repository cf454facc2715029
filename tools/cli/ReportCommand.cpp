// krovel-cli report FILE [--series N] [--interval K] [--format text|csv|xml]
// The digital report of one series of a measurement file, grouped by K repetitions,
// with the same cell texts the program's repetition table shows; xml gives exactly
// the workbook the "Export XML" button writes for that series and interval.
#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CliCommand.h"
#include "MeasurementInput.h"
#include "data/core/CsvField.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"
#include "measure/core/RepTableText.h"
#include "measure/core/RepetitionValues.h"
#include "measure/core/SpreadsheetExport.h"

namespace krovel::cli {

namespace {

constexpr const char* ReportUsage =
    "report FILE [--series N] [--interval K] [--format text|csv|xml]";

enum class ReportFormat { Text, Csv, Xml };

struct ReportOptions {
    std::string file;
    int series = 1;   // 1-based, as "Set No" shows it
    int interval = 1; // group size
    ReportFormat format = ReportFormat::Text;
};

const CommandHelp& ReportHelp() {
    static const CommandHelp help = SubcommandHelp(
        "report", ReportUsage,
        "Prints the digital report of one series, grouped by K repetitions, with the\n"
        "cell texts of the program's repetition table; xml gives exactly the workbook\n"
        "of the \"Export XML\" button.");
    return help;
}

// A whole decimal number and nothing else.
std::optional<int> ParseNumber(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Fills options from the parsed arguments; an error message when they are wrong.
std::optional<std::string> ReadReportOptions(const ArgumentParser& parser,
                                             const CommandOption& seriesOption,
                                             const CommandOption& intervalOption,
                                             const CommandOption& formatOption,
                                             ReportOptions& options) {
    if (auto problem = OneFileProblem(parser.positionalArguments())) return problem;
    options.file = parser.positionalArguments().front();
    if (parser.isSet(formatOption)) {
        const std::string value = parser.value(formatOption);
        if (value == "text")
            options.format = ReportFormat::Text;
        else if (value == "csv")
            options.format = ReportFormat::Csv;
        else if (value == "xml")
            options.format = ReportFormat::Xml;
        else
            return "unknown format '" + value + "' (text, csv or xml)";
    }
    for (const auto& [option, into] : {std::pair{&seriesOption, &options.series},
                                       std::pair{&intervalOption, &options.interval}}) {
        if (!parser.isSet(*option)) continue;
        const std::string value = parser.value(*option);
        const std::optional<int> number = ParseNumber(value);
        if (!number)
            return "--" + option->names.front() + " needs a whole number, not '" + value + "'";
        *into = *number;
    }
    return std::nullopt;
}

// Titles and cells in columns as wide as their widest text, aligned as in the table.
std::string TextReport(const std::vector<RepRowText>& rows) {
    size_t widths[RepColumnCount];
    for (int c = 0; c < RepColumnCount; ++c) {
        widths[c] = std::strlen(RepColumns[c].Title);
        for (const RepRowText& row : rows) widths[c] = std::max(widths[c], row[c].size());
    }
    std::string out;
    auto line = [&](auto cell) {
        for (int c = 0; c < RepColumnCount; ++c) {
            std::string_view text = cell(c);
            size_t pad = widths[c] - text.size();
            if (c > 0) out += "  ";
            switch (RepColumns[c].Align) {
            case CellAlign::Left:
                out.append(text).append(pad, ' ');
                break;
            case CellAlign::Center:
                out.append(pad / 2, ' ').append(text).append(pad - pad / 2, ' ');
                break;
            case CellAlign::Right:
                out.append(pad, ' ').append(text);
                break;
            }
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
    };
    line([](int c) { return std::string_view(RepColumns[c].Title); });
    for (const RepRowText& row : rows) line([&](int c) { return std::string_view(row[c]); });
    return out;
}

// The cell text without its padding blanks.
std::string Trimmed(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos
               ? std::string()
               : std::string(text.substr(first, text.find_last_not_of(' ') + 1 - first));
}

std::string CsvReport(const std::vector<RepRowText>& rows) {
    auto line = [](auto cell) {
        std::vector<std::string> cells;
        for (int c = 0; c < RepColumnCount; ++c) cells.push_back(Trimmed(cell(c)));
        return CsvRow(cells);
    };
    std::string out = line([](int c) { return std::string_view(RepColumns[c].Title); });
    for (const RepRowText& row : rows) out += line([&](int c) { return std::string_view(row[c]); });
    return out;
}

// Numbers in CSV always use a decimal point, whatever the user's locale.
class PointDecimals {
public:
    PointDecimals() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        std::setlocale(LC_NUMERIC, "C");
    }
    ~PointDecimals() { std::setlocale(LC_NUMERIC, previous_.c_str()); }

private:
    std::string previous_;
};

int RunReport(int argc, char** argv) {
    const CommandHelp& help = ReportHelp();
    ArgumentParser parser;
    parser.addPositionalArgument("FILE", "a .krvx file");
    const CommandOption seriesOption{{"series"}, "the series, 1 for the first", "N", "1"};
    const CommandOption intervalOption{{"interval"}, "repetitions per group", "K", "1"};
    const CommandOption formatOption{{"format"}, "text, csv or xml", "FORMAT", "text"};
    parser.addOptions({seriesOption, intervalOption, formatOption});
    if (auto exit = ParseCommandLine(parser, ArgumentList(argc, argv), help)) return *exit;
    ReportOptions options;
    if (auto error = ReadReportOptions(parser, seriesOption, intervalOption, formatOption, options))
        return Refuse(help.command, *error);

    auto scratch = std::make_unique<MeasurementScratch>();
    if (auto exit = LoadMeasurementArgument(help.command, options.file, *scratch)) return *exit;
    CommitMeasurementScratch(*scratch);

    if (options.series < 1 || options.series > SeriesCount) {
        return Refuse(help.command, SeriesCount == 0
                                        ? options.file + " holds no series"
                                        : "series " + std::to_string(options.series) +
                                              " is out of range: " + options.file +
                                              " holds series 1 to " + std::to_string(SeriesCount));
    }
    const int largestInterval = IntervalChoiceCount();
    if (options.interval < 1 || options.interval > largestInterval) {
        return Refuse(help.command, "interval " + std::to_string(options.interval) +
                                        " is out of range: the file allows intervals 1 to " +
                                        std::to_string(largestInterval));
    }

    const int series = options.series - 1;
    const int intervalIndex = options.interval - 1;
    std::string out;
    switch (options.format) {
    case ReportFormat::Text:
        out = TextReport(DigitalReportRows(series, intervalIndex));
        break;
    case ReportFormat::Csv: {
        PointDecimals point;
        out = CsvReport(DigitalReportRows(series, intervalIndex));
        break;
    }
    case ReportFormat::Xml:
        // The export describes the series the program shows.
        CurrentSeries = series;
        out = SpreadsheetWorkbookOfCurrentSeries(DigitalReportRows(series, intervalIndex));
        break;
    }
    return options.format == ReportFormat::Text ? WriteStandardText("report", out)
                                                : WriteStandardOutput("report", out);
}

const bool registered = RegisterCliCommand({"report", ReportUsage, RunReport});

} // namespace

} // namespace krovel::cli
