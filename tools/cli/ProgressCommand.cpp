// krovel-cli progress FOLDER [--exercise TEXT] [--data H] [--mvt V] [--format text|csv|json]
// Every measurement file directly in the folder is one session; per exercise, the
// sessions in date order with their estimated 1RM, profile quality, volume and best
// velocity, and a summary: best and last e1RM, the last change and the trend per week.
// Files the program would refuse are listed with the reason and skipped.
#include <optional>
#include <string>
#include <string_view>

#include "AnalysisJson.h"
#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "TableJson.h"
#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/ProgressTrend.h"
#include "analysis/core/SessionProgress.h"

namespace krovel::cli {

namespace {

constexpr const char* ProgressName = "progress";
constexpr const char* ProgressUsage =
    "progress FOLDER [--exercise TEXT] [--data H] [--mvt V] [--format text|csv|json]";

struct ProgressOptions {
    std::string folder;
    ProgressRequest request;
    AnalysisFormat format = AnalysisFormat::Text;
};

std::optional<int> ParseProgressArgs(int argc, char** argv, ProgressOptions& options) {
    auto exit = ParseAnalysisArguments(
        argc, argv, ProgressName, ProgressUsage,
        "Prints the progress across the measurement files of a folder, per exercise.", "FOLDER",
        {"--exercise", "--data", "--mvt", "--format"}, options.folder,
        [&](std::string_view name, std::string_view value) -> std::optional<std::string> {
            if (name == "--format") return TakeFormat(value, options.format);
            if (name == "--data") return TakeBestCount(value, options.request.BestCount);
            if (name == "--mvt") return TakeThreshold(name, value, options.request.ThresholdValue);
            options.request.Exercise = std::string(value);
            return std::nullopt;
        });
    options.request.Folder = options.folder;
    return exit;
}

void AppendDate(std::string& out, const std::string& date) {
    if (date.empty())
        out += "null";
    else
        AppendJsonString(out, date);
}

void AppendSession(std::string& out, const SessionSummary& s) {
    out += "{";
    AppendFileName(out, s.File);
    out += ", \"date\": ";
    AppendDate(out, s.Date);
    out += ", \"e1rm\": ";
    AppendOptional(out, s.E1rm);
    out += ", \"r2\": ";
    AppendOptional(out, s.R2);
    out += ", \"quality\": ";
    AppendJsonString(out, ProfileQualityText(s.Quality));
    out += ", \"loads\": " + std::to_string(s.Loads);
    out += ", \"reps\": " + std::to_string(s.Repetitions) + ", \"volume_kg\": ";
    AppendDouble(out, s.VolumeKg);
    out += ", \"best_velocity\": ";
    AppendOptional(out, s.BestVelocity);
    out += "}";
}

void AppendSummary(std::string& out, const ProgressSummary& s) {
    out += "{\"sessions\": " + std::to_string(s.Sessions) + ", \"first_date\": ";
    AppendDate(out, s.FirstDate);
    out += ", \"last_date\": ";
    AppendDate(out, s.LastDate);
    out += ", \"best_e1rm\": ";
    AppendOptional(out, s.BestE1rm);
    out += ", \"best_date\": ";
    AppendDate(out, s.BestE1rm ? s.BestDate : std::string());
    out += ", \"last_e1rm\": ";
    AppendOptional(out, s.LastE1rm);
    out += ", \"change_kg\": ";
    AppendOptional(out, s.ChangeKg);
    out += ", \"change_pct\": ";
    AppendOptional(out, s.ChangePct);
    out += ", \"trend_kg_per_week\": ";
    AppendOptional(out, s.TrendKgPerWeek);
    out += "}";
}

std::string ProgressJson(const ProgressReport& report) {
    std::string out = "{\n  \"files_read\": " + std::to_string(report.FilesRead);
    out += ",\n  \"refused\": ";
    AppendObjectLines(out, report.Refused.size(), [&](size_t i) {
        AppendFileName(out, report.Refused[i].File);
        out += ", \"reason\": ";
        AppendJsonString(out, report.Refused[i].Reason);
    });
    out += ",\n  \"exercises\": [";
    for (size_t e = 0; e < report.Exercises.size(); ++e) {
        const ExerciseProgress& exercise = report.Exercises[e];
        out += e ? ",\n    {\"exercise\": " : "\n    {\"exercise\": ";
        AppendJsonString(out, exercise.Exercise);
        out += ", \"summary\": ";
        AppendSummary(out, SummariseProgress(exercise.Sessions));
        out += ", \"sessions\": [";
        for (size_t s = 0; s < exercise.Sessions.size(); ++s) {
            out += s ? ",\n      " : "\n      ";
            AppendSession(out, exercise.Sessions[s]);
        }
        out += exercise.Sessions.empty() ? "]}" : "\n    ]}";
    }
    out += report.Exercises.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string RefusedText(const ProgressReport& report) {
    std::string out;
    for (const RefusedFile& r : report.Refused)
        out += "Refused: " + r.File + ": " + r.Reason + '\n';
    return out;
}

int RunProgress(int argc, char** argv) {
    ProgressOptions options;
    if (auto exit = ParseProgressArgs(argc, argv, options)) return *exit;
    ProgressReport report;
    if (const Status built = BuildProgress(options.request, report); !built)
        return Refuse(std::string("krovel-cli ") + ProgressName, built.message());
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text:
        out = "Files read: " + std::to_string(report.FilesRead) + '\n' + RefusedText(report) +
              '\n' + AlignedText(ProgressTable(report, LocaleDecimalPoint())) + '\n' +
              AlignedText(ProgressSummaryTable(report, LocaleDecimalPoint()));
        break;
    case AnalysisFormat::Csv:
        out = ProgressCsv(FolderName(options.folder), report);
        break;
    case AnalysisFormat::Json:
        out = ProgressJson(report);
        break;
    }
    return WriteAnalysis(ProgressName, options.format, out);
}

const bool registered = RegisterCliCommand({ProgressName, ProgressUsage, RunProgress});

} // namespace

} // namespace krovel::cli
