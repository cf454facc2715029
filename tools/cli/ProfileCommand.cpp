// krovel-cli profile FILE [--data H] [--mvt V] [--format text|csv|json]
// The load-velocity profile of a measurement file: one point per load from its H best
// repetitions, the fitted line, and the 1RM estimated at the minimum velocity threshold
// (--mvt, else the athlete's own kept in the file's folder, else the exercise's).
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "AnalysisJson.h"
#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "TableJson.h"
#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/LoadVelocityProfile.h"
#include "base/core/AppPaths.h"
#include "data/core/MeasurementFile.h"

namespace krovel::cli {

namespace {

constexpr const char* ProfileName = "profile";
constexpr const char* ProfileUsage = "profile FILE [--data H] [--mvt V] [--format text|csv|json]";

struct ProfileOptions {
    std::string file;
    int32_t bestCount = 1;
    std::optional<double> threshold;
    AnalysisFormat format = AnalysisFormat::Text;
};

std::optional<int> ParseProfileArgs(int argc, char** argv, ProfileOptions& options) {
    return ParseAnalysisArguments(
        argc, argv, ProfileName, ProfileUsage,
        "Prints the load-velocity profile of a measurement file and the 1RM it estimates.", "FILE",
        {"--data", "--mvt", "--format"}, options.file,
        [&](std::string_view name, std::string_view value) -> std::optional<std::string> {
            if (name == "--format") return TakeFormat(value, options.format);
            if (name == "--data") return TakeBestCount(value, options.bestCount);
            return TakeThreshold(name, value, options.threshold);
        });
}

std::string ProfileJson(const LoadVelocityProfile& p) {
    std::string out = "{\n  \"exercise\": ";
    AppendJsonString(out, p.Exercise);
    out += ",\n  \"mvt\": ";
    AppendDouble(out, p.Threshold.Value);
    out += ",\n  \"mvt_source\": ";
    AppendJsonString(out, ThresholdSourceText(p.Threshold.Source));
    out += ",\n  \"data\": " + std::to_string(p.BestCount) + ",\n  \"loads\": ";
    AppendObjectLines(out, p.Loads.size(), [&](size_t i) {
        out += "\"mass\": ";
        AppendFloat(out, p.Loads[i].Mass);
        out += ", \"velocity\": ";
        AppendFloat(out, p.Loads[i].Velocity);
        out += ", \"reps\": " + std::to_string(p.Loads[i].Repetitions);
    });
    out += ",\n  \"fit\": ";
    AppendLineAndEstimates(out, p);
    return out;
}

int RunProfile(int argc, char** argv) {
    ProfileOptions options;
    if (auto exit = ParseProfileArgs(argc, argv, options)) return *exit;
    auto scratch = LoadForAnalysis(ProfileName, options.file.c_str());
    if (!scratch) return ExitRefused;
    // The athlete's own threshold, kept in the file's folder, comes after --mvt.
    std::vector<AthleteThreshold> athlete;
    if (const Status read = ReadAthleteThresholds(
            std::filesystem::path(options.file).parent_path().string(), athlete);
        !read)
        return Refuse(std::string("krovel-cli ") + ProfileName, read.message());
    const VelocityThreshold threshold =
        ChooseThreshold(options.threshold, athlete, scratch->Header.Exercise);
    LoadVelocityProfile profile =
        BuildProfile(scratch->Series, {scratch->Header.Exercise, options.bestCount,
                                       threshold.Source == ThresholdSource::Default
                                           ? std::nullopt
                                           : std::optional(threshold.Value)});
    profile.Threshold = threshold;
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text: {
        const char point = LocaleDecimalPoint();
        for (const std::string& line : ProfileSummaryLines(profile, point)) out += line + '\n';
        out += '\n' + AlignedText(ProfileLoadTable(profile, point));
        break;
    }
    case AnalysisFormat::Csv:
        out = ProfileCsv(SubjectOf(scratch->Header, scratch->Series, FileTitleOf(options.file)),
                         profile);
        break;
    case AnalysisFormat::Json:
        out = ProfileJson(profile);
        break;
    }
    return WriteAnalysis(ProfileName, options.format, out);
}

const bool registered = RegisterCliCommand({ProfileName, ProfileUsage, RunProfile});

} // namespace

} // namespace krovel::cli
