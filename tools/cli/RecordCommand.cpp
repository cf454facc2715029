// krovel-cli record FOLDER --exercise TEXT [--weeks N] [--data H] [--mvt V | --set-mvt V]
//                         [--format text|csv|json]
// The athlete's own load-velocity record: the line through the load points of every
// session of the exercise in the athlete's folder from the N weeks up to the newest one.
// --set-mvt keeps V as the athlete's own threshold for the exercise.
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "AnalysisJson.h"
#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "TableJson.h"
#include "analysis/core/AthleteRecord.h"
#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/RecordTables.h"

namespace krovel::cli {

namespace {

constexpr const char* RecordName = "record";
constexpr const char* RecordUsage = "record FOLDER --exercise TEXT [--weeks N] [--data H] "
                                    "[--mvt V | --set-mvt V] [--format text|csv|json]";

struct RecordOptions {
    RecordRequest request;
    std::optional<std::string> exercise;
    std::optional<double> setThreshold;
    AnalysisFormat format = AnalysisFormat::Text;
};

std::optional<int> ParseRecordArgs(int argc, char** argv, RecordOptions& options) {
    RecordRequest& request = options.request;
    auto exit = ParseAnalysisArguments(
        argc, argv, RecordName, RecordUsage,
        "Prints the athlete's own load-velocity profile of an exercise: the line through "
        "the loads of every session in the folder from the last N weeks (4 unless given).",
        "FOLDER", {"--exercise", "--weeks", "--data", "--mvt", "--set-mvt", "--format"},
        request.Folder,
        [&](std::string_view name, std::string_view value) -> std::optional<std::string> {
            if (name == "--format") return TakeFormat(value, options.format);
            if (name == "--data") return TakeBestCount(value, request.BestCount);
            if (name == "--exercise") {
                options.exercise = std::string(value);
                return std::nullopt;
            }
            if (name == "--weeks") return TakeWeeks(value, request.Window.Weeks);
            std::optional<double>& target =
                name == "--mvt" ? request.ThresholdValue : options.setThreshold;
            return TakeThreshold(name, value, target);
        });
    if (exit) return exit;
    const std::string command = std::string("krovel-cli ") + RecordName;
    if (!options.exercise) return Refuse(command, "--exercise is required");
    if (request.ThresholdValue && options.setThreshold)
        return Refuse(command, "--mvt and --set-mvt cannot go together");
    request.Exercise = *options.exercise;
    return std::nullopt;
}

int RunRecord(int argc, char** argv) {
    RecordOptions options;
    if (auto exit = ParseRecordArgs(argc, argv, options)) return *exit;
    const std::string command = std::string("krovel-cli ") + RecordName;
    RecordRequest request = options.request;
    if (options.setThreshold) request.ThresholdValue = options.setThreshold;
    AthleteRecord record;
    if (const Status built = BuildAthleteRecord(request, record); !built)
        return Refuse(command, built.message());
    if (record.Sessions.empty()) {
        return Refuse(command,
                      request.Folder + ": no dated session of \"" + request.Exercise + "\"");
    }
    if (options.setThreshold) {
        if (const Status stored =
                SetAthleteThreshold(request.Folder, request.Exercise, *options.setThreshold);
            !stored)
            return Refuse(command, stored.message());
        record.Threshold.Source = ThresholdSource::Athlete;
    }
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text: {
        const char point = LocaleDecimalPoint();
        out = AlignedText(RecordSummary(record, point, "-")) + '\n' +
              AlignedText(RecordLoadTable(record, point, "-"));
        break;
    }
    case AnalysisFormat::Csv:
        out = RecordCsv(record);
        break;
    case AnalysisFormat::Json:
        out = RecordJson(record);
        break;
    }
    return WriteAnalysis(RecordName, options.format, out);
}

const bool registered = RegisterCliCommand({RecordName, RecordUsage, RunRecord});

} // namespace

} // namespace krovel::cli
