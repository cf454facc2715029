// krovel-cli readiness FILE [--folder SUBJECT_FOLDER] [--weeks N] [--data H]
//                           [--format text|csv|json]
// Today against the athlete's record: each load's velocity against the velocity the
// record of the N weeks before the session predicts, their mean difference against the
// record's typical error (at least 0.03 m/s) and the 1RM's change.
#include <optional>
#include <string>
#include <string_view>

#include "AnalysisJson.h"
#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "MeasurementInput.h"
#include "analysis/core/Readiness.h"
#include "analysis/core/RecordTables.h"

namespace krovel::cli {

namespace {

constexpr const char* ReadinessName = "readiness";
constexpr const char* ReadinessUsage = "readiness FILE [--folder SUBJECT_FOLDER] [--weeks N] "
                                       "[--data H] [--format text|csv|json]";

struct ReadinessOptions {
    ReadinessRequest request;
    AnalysisFormat format = AnalysisFormat::Text;
};

int RunReadiness(int argc, char** argv) {
    ReadinessOptions options;
    ReadinessRequest& request = options.request;
    auto exit = ParseAnalysisArguments(
        argc, argv, ReadinessName, ReadinessUsage,
        "Compares a session with the athlete's record from the weeks before it: above, "
        "usual or below the usual velocities.",
        "FILE", {"--folder", "--weeks", "--data", "--format"}, request.File,
        [&](std::string_view name, std::string_view value) -> std::optional<std::string> {
            if (name == "--format") return TakeFormat(value, options.format);
            if (name == "--data") return TakeBestCount(value, request.BestCount);
            if (name == "--weeks") return TakeWeeks(value, request.Weeks);
            request.Folder = std::string(value);
            return std::nullopt;
        });
    if (exit) return *exit;
    // The file first, refused as every command refuses one.
    if (!LoadForAnalysis(ReadinessName, request.File.c_str())) return ExitRefused;
    Readiness readiness;
    if (const Status built = BuildReadiness(request, readiness); !built)
        return Refuse(std::string("krovel-cli ") + ReadinessName, built.message());
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text: {
        const char point = LocaleDecimalPoint();
        out = AlignedText(ReadinessSummary(readiness, point, "-")) + '\n' +
              AlignedText(ReadinessLoadTable(readiness, point, "-"));
        break;
    }
    case AnalysisFormat::Csv:
        out = ReadinessCsv(readiness);
        break;
    case AnalysisFormat::Json:
        out = ReadinessJson(readiness);
        break;
    }
    return WriteAnalysis(ReadinessName, options.format, out);
}

const bool registered = RegisterCliCommand({ReadinessName, ReadinessUsage, RunReadiness});

} // namespace

} // namespace krovel::cli
