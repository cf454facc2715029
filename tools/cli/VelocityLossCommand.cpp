// krovel-cli velocity-loss FILE [--format text|csv|json]
// For each series of a measurement file with two or more moving repetitions: the best
// mean velocity, the last one, and the loss from best to last and from best to slowest.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "TableJson.h"
#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/VelocityLoss.h"
#include "base/core/AppPaths.h"
#include "data/core/MeasurementFile.h"

namespace krovel::cli {

namespace {

constexpr const char* LossName = "velocity-loss";
constexpr const char* LossUsage = "velocity-loss FILE [--format text|csv|json]";

struct LossOptions {
    std::string file;
    AnalysisFormat format = AnalysisFormat::Text;
};

std::optional<int> ParseLossArgs(int argc, char** argv, LossOptions& options) {
    return ParseAnalysisArguments(argc, argv, LossName, LossUsage,
                                  "Prints the velocity loss of each series of a measurement file.",
                                  "FILE", {"--format"}, options.file,
                                  [&](std::string_view, std::string_view value) {
                                      return TakeFormat(value, options.format);
                                  });
}

std::string LossJson(const std::vector<SeriesVelocityLoss>& losses) {
    std::string out = "[";
    for (size_t i = 0; i < losses.size(); ++i) {
        const SeriesVelocityLoss& l = losses[i];
        out += i ? ",\n  {\"series\": " : "\n  {\"series\": ";
        out += std::to_string(l.Series) + ", \"mass\": ";
        AppendFloat(out, l.Mass);
        out += ", \"reps\": " + std::to_string(l.Repetitions) + ", \"best\": ";
        AppendDouble(out, l.Best);
        out += ", \"last\": ";
        AppendDouble(out, l.Last);
        out += ", \"loss_pct\": ";
        AppendDouble(out, l.LossPct);
        out += ", \"max_loss_pct\": ";
        AppendDouble(out, l.MaxLossPct);
        out += "}";
    }
    out += losses.empty() ? "]\n" : "\n]\n";
    return out;
}

int RunVelocityLoss(int argc, char** argv) {
    LossOptions options;
    if (auto exit = ParseLossArgs(argc, argv, options)) return *exit;
    auto scratch = LoadForAnalysis(LossName, options.file.c_str());
    if (!scratch) return ExitRefused;
    const std::vector<SeriesVelocityLoss> losses = VelocityLosses(scratch->Series);
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text:
        out = AlignedText(VelocityLossTable(losses, LocaleDecimalPoint()));
        break;
    case AnalysisFormat::Csv:
        out = VelocityLossCsv(
            SubjectOf(scratch->Header, scratch->Series, FileTitleOf(options.file)), losses);
        break;
    case AnalysisFormat::Json:
        out = LossJson(losses);
        break;
    }
    return WriteAnalysis(LossName, options.format, out);
}

const bool registered = RegisterCliCommand({LossName, LossUsage, RunVelocityLoss});

} // namespace

} // namespace krovel::cli
