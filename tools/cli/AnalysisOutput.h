// What the analysis subcommands (profile, velocity-loss, progress) share: reading
// their option values, the output formats and writing the result.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/core/AnalysisTables.h"
#include "data/core/MeasurementFile.h"

namespace krovel::cli {

enum class AnalysisFormat { Text, Csv, Json };

// Takes one option and its value; an error text when the value is wrong.
using OptionTaker =
    std::function<std::optional<std::string>(std::string_view name, std::string_view value)>;

// Parses "OPERAND [--name VALUE]..." by the suite's conventions (--help, --version,
// --name=VALUE, a refusal as one line and status 2): the one operand (FILE, FOLDER) lands
// in `operand`, each option named in `names` goes with its value to `take`. Returns the
// exit status when the command ends here, nothing when it goes on.
std::optional<int> ParseAnalysisArguments(int argc, char** argv, const char* name,
                                          const char* usage, const char* text,
                                          const char* operandName,
                                          std::initializer_list<std::string_view> names,
                                          std::string& operand, const OptionTaker& take);

// Reads a measurement file as Open does; nothing, after a message on standard error,
// when the program would refuse it.
std::unique_ptr<MeasurementScratch> LoadForAnalysis(const char* command, const char* file);

// --format: "text", "csv" or "json"; an error text for anything else.
std::optional<std::string> TakeFormat(std::string_view value, AnalysisFormat& format);
// --data: a whole number within 1..100, the best repetitions averaged per load.
std::optional<std::string> TakeBestCount(std::string_view value, int32_t& bestCount);
// A whole number in decimal digits, nothing else.
std::optional<int32_t> ParseWhole(std::string_view text);
// A decimal number with a point, nothing else.
std::optional<double> ParseDecimal(std::string_view text);

// The user's decimal separator, for text meant to be read.
char LocaleDecimalPoint();

// Writes the output as WriteStandardOutput does; text with each NUL as U+FFFD (CSV and
// JSON are already written safe).
int WriteAnalysis(const char* command, AnalysisFormat format, const std::string& out);

// JSON null, or the number in its shortest round-trip form.
void AppendOptional(std::string& out, const std::optional<double>& value);

} // namespace krovel::cli
