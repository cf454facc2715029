#include "AnalysisOutput.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "CliCommand.h"
#include "MeasurementInput.h"
#include "TableJson.h"
#include "data/core/Unicode.h"

#include <QCommandLineParser>
#include <QFile>
#include <vector>

namespace krovel::cli {

std::optional<int> ParseAnalysisArguments(int argc, char** argv, const char* name,
                                          const char* usage, const char* text,
                                          const char* operandName,
                                          std::initializer_list<std::string_view> names,
                                          std::string& operand, const OptionTaker& take) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QString::fromLatin1(operandName), QString());
    std::vector<QCommandLineOption> options;
    for (std::string_view n : names) {
        options.emplace_back(QString::fromLatin1(n.substr(2).data(), qsizetype(n.size() - 2)),
                             QString(), QStringLiteral("VALUE"));
        parser.addOption(options.back());
    }
    const CommandHelp help = SubcommandHelp(name, usage, text);
    if (auto exit = ParseCommandLine(parser, ArgumentList(argc, argv), help)) return exit;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return Refuse(help.command, QStringLiteral("%1 %2 given")
                                        .arg(positional.isEmpty() ? "no" : "more than one",
                                             QString::fromLatin1(operandName)));
    }
    operand = positional.front().toLocal8Bit().toStdString();
    size_t i = 0;
    for (std::string_view n : names) {
        const QCommandLineOption& option = options[i++];
        if (!parser.isSet(option)) continue;
        if (auto error = take(n, parser.value(option).toStdString()))
            return Refuse(help.command, QString::fromStdString(*error));
    }
    return std::nullopt;
}

std::unique_ptr<MeasurementScratch> LoadForAnalysis(const char* command, const char* file) {
    auto scratch = std::make_unique<MeasurementScratch>();
    if (LoadMeasurementArgument(QStringLiteral("krovel-cli ") + QString::fromUtf8(command),
                                QFile::decodeName(file), *scratch))
        return nullptr;
    return scratch;
}

std::optional<std::string> TakeFormat(std::string_view value, AnalysisFormat& format) {
    if (value == "text")
        format = AnalysisFormat::Text;
    else if (value == "csv")
        format = AnalysisFormat::Csv;
    else if (value == "json")
        format = AnalysisFormat::Json;
    else
        return "unknown format '" + std::string(value) + "' (text, csv or json)";
    return std::nullopt;
}

std::optional<std::string> TakeBestCount(std::string_view value, int32_t& bestCount) {
    const std::optional<int32_t> number = ParseWhole(value);
    if (!number || *number < 1 || *number > MaxRepetitions)
        return "--data needs a whole number from 1 to 100, not '" + std::string(value) + "'";
    bestCount = *number;
    return std::nullopt;
}

std::optional<int32_t> ParseWhole(std::string_view text) {
    int32_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

std::optional<double> ParseDecimal(std::string_view text) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

char LocaleDecimalPoint() {
    const char* point = std::localeconv()->decimal_point;
    return point && point[0] ? point[0] : '.';
}

int WriteAnalysis(const char* command, AnalysisFormat format, const std::string& out) {
    return WriteStandardOutput(command, format == AnalysisFormat::Text ? WithoutNul(out) : out);
}

void AppendOptional(std::string& out, const std::optional<double>& value) {
    if (value)
        AppendDouble(out, *value);
    else
        out += "null";
}

} // namespace krovel::cli
