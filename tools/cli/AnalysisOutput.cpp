#include "AnalysisOutput.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "CliCommand.h"
#include "TableJson.h"

namespace krovel::cli {

std::optional<std::string> WalkArguments(int argc, char** argv, const char* operandName,
                                         std::initializer_list<std::string_view> names,
                                         const char*& operand, const OptionTaker& take) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (!arg.starts_with("--")) {
            if (operand) return std::string("more than one ") + operandName + " given";
            operand = argv[i];
            continue;
        }
        if (std::find(names.begin(), names.end(), arg) == names.end()) {
            return "unknown option " + std::string(arg);
        }
        if (i + 1 >= argc) return std::string(arg) + " needs a value";
        if (auto error = take(arg, argv[++i])) return error;
    }
    if (!operand) return std::string("no ") + operandName + " given";
    return std::nullopt;
}

std::unique_ptr<MeasurementScratch> LoadForAnalysis(const char* command, const char* file) {
    auto scratch = std::make_unique<MeasurementScratch>();
    const FileLoadError error = LoadMeasurementFile(file, *scratch);
    if (error == FileLoadError::None) return scratch;
    RefuseAnalysis(command, std::string(file) + ": " + FileLoadErrorText(error));
    return nullptr;
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
    int32_t number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < 1 ||
        number > MaxRepetitions) {
        return "--data needs a whole number from 1 to 100, not '" + std::string(value) + "'";
    }
    bestCount = number;
    return std::nullopt;
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

void AppendOptional(std::string& out, const std::optional<double>& value) {
    if (value)
        AppendDouble(out, *value);
    else
        out += "null";
}

int WriteResult(const char* command, const std::string& text) {
    const size_t written = std::fwrite(text.data(), 1, text.size(), stdout);
    if (written != text.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "krovel-cli %s: cannot write the result: %s\n", command,
                     std::strerror(errno));
        return 1;
    }
    return 0;
}

int RefuseAnalysis(const char* command, const std::string& message) {
    std::fprintf(stderr, "krovel-cli %s: %s\n", command, message.c_str());
    return ExitRefused;
}

} // namespace krovel::cli
