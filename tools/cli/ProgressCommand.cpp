// krovel-cli progress FOLDER [--exercise TEXT] [--data H] [--format text|csv|json]
// Every measurement file directly in the folder is one session; per exercise, the
// sessions in date order with their estimated 1RM, profile quality, volume and best
// velocity. Files the program would refuse are listed with the reason and skipped.
#include <optional>
#include <string>
#include <string_view>

#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "TableJson.h"
#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/SessionProgress.h"

namespace krovel::cli {

namespace {

constexpr const char* ProgressName = "progress";
constexpr const char* ProgressUsage =
    "progress FOLDER [--exercise TEXT] [--data H] [--format text|csv|json]";

struct ProgressOptions {
    std::string folder;
    ProgressRequest request;
    AnalysisFormat format = AnalysisFormat::Text;
};

std::optional<int> ParseProgressArgs(int argc, char** argv, ProgressOptions& options) {
    auto exit = ParseAnalysisArguments(
        argc, argv, ProgressName, ProgressUsage,
        "Prints the progress across the measurement files of a folder, per exercise.", "FOLDER",
        {"--exercise", "--data", "--format"}, options.folder,
        [&](std::string_view name, std::string_view value) -> std::optional<std::string> {
            if (name == "--format") return TakeFormat(value, options.format);
            if (name == "--data") return TakeBestCount(value, options.request.BestCount);
            options.request.Exercise = std::string(value);
            return std::nullopt;
        });
    options.request.Folder = options.folder;
    return exit;
}

void AppendSession(std::string& out, const SessionSummary& s) {
    out += "{";
    AppendFileName(out, s.File);
    out += ", \"date\": ";
    if (s.Date.empty())
        out += "null";
    else
        AppendString(out, s.Date);
    out += ", \"e1rm\": ";
    AppendOptional(out, s.E1rm);
    out += ", \"r2\": ";
    AppendOptional(out, s.R2);
    out += ", \"quality\": ";
    AppendString(out, ProfileQualityText(s.Quality));
    out += ", \"loads\": " + std::to_string(s.Loads);
    out += ", \"reps\": " + std::to_string(s.Repetitions) + ", \"volume_kg\": ";
    AppendDouble(out, s.VolumeKg);
    out += ", \"best_velocity\": ";
    AppendOptional(out, s.BestVelocity);
    out += "}";
}

std::string ProgressJson(const ProgressReport& report) {
    std::string out = "{\n  \"files_read\": " + std::to_string(report.FilesRead);
    out += ",\n  \"refused\": [";
    for (size_t i = 0; i < report.Refused.size(); ++i) {
        out += i ? ",\n    {" : "\n    {";
        AppendFileName(out, report.Refused[i].File);
        out += ", \"reason\": ";
        AppendString(out, report.Refused[i].Reason);
        out += "}";
    }
    out += report.Refused.empty() ? "],\n  \"exercises\": [" : "\n  ],\n  \"exercises\": [";
    for (size_t e = 0; e < report.Exercises.size(); ++e) {
        const ExerciseProgress& exercise = report.Exercises[e];
        out += e ? ",\n    {\"exercise\": " : "\n    {\"exercise\": ";
        AppendString(out, exercise.Exercise);
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
    std::string error;
    const std::optional<ProgressReport> report = BuildProgress(options.request, error);
    if (!report)
        return Refuse(QStringLiteral("krovel-cli ") + ProgressName, QString::fromStdString(error));
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text:
        out = "Files read: " + std::to_string(report->FilesRead) + '\n' + RefusedText(*report) +
              '\n' + AlignedText(ProgressTable(*report, LocaleDecimalPoint()));
        break;
    case AnalysisFormat::Csv:
        out = ProgressCsv(FolderName(options.folder), *report);
        break;
    case AnalysisFormat::Json:
        out = ProgressJson(*report);
        break;
    }
    return WriteAnalysis(ProgressName, options.format, out);
}

const bool registered = RegisterCliCommand({ProgressName, ProgressUsage, RunProgress});

} // namespace

} // namespace krovel::cli
