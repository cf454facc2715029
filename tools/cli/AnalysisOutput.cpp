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

#include <vector>

namespace krovel::cli {

std::optional<int> ParseAnalysisArguments(int argc, char** argv, const char* name,
                                          const char* usage, const char* text,
                                          const char* operandName,
                                          std::initializer_list<std::string_view> names,
                                          std::string& operand, const OptionTaker& take) {
    ArgumentParser parser;
    parser.addPositionalArgument(operandName, {});
    for (std::string_view n : names)
        parser.addOption({{std::string(n.substr(2))}, {}, "VALUE", {}});
    const CommandHelp help = SubcommandHelp(name, usage, text);
    if (auto exit = ParseCommandLine(parser, ArgumentList(argc, argv), help)) return exit;
    const std::vector<std::string>& positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return Refuse(help.command, std::string(positional.empty() ? "no" : "more than one") + ' ' +
                                        operandName + " given");
    }
    operand = positional.front();
    for (std::string_view n : names) {
        if (!parser.isSet(n.substr(2))) continue;
        if (auto error = take(n, parser.value(n.substr(2)))) return Refuse(help.command, *error);
    }
    return std::nullopt;
}

std::unique_ptr<MeasurementScratch> LoadForAnalysis(const char* command, const char* file) {
    auto scratch = std::make_unique<MeasurementScratch>();
    if (LoadMeasurementArgument("krovel-cli " + std::string(command), file, *scratch))
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
    return format == AnalysisFormat::Text ? WriteStandardText(command, out)
                                          : WriteStandardOutput(command, out);
}

void AppendOptional(std::string& out, const std::optional<double>& value) {
    if (value)
        AppendDouble(out, *value);
    else
        out += "null";
}

} // namespace krovel::cli
