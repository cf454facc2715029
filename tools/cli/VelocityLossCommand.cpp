// krovel-cli velocity-loss FILE [--stop X] [--format text|csv|json]
// For each series of a measurement file with two or more moving repetitions: the best
// mean velocity, the last one, and the loss from best to last and from best to slowest;
// with --stop, the repetition at which the loss first reached X %.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "TableJson.h"
#include "analysis/core/AnalysisCsv.h"
#include "analysis/core/VelocityLoss.h"
#include "analysis/core/VelocityLossStop.h"
#include "base/core/AppPaths.h"
#include "data/core/MeasurementFile.h"

namespace krovel::cli {

namespace {

constexpr const char* LossName = "velocity-loss";
constexpr const char* LossUsage = "velocity-loss FILE [--stop X] [--format text|csv|json]";

struct LossOptions {
    std::string file;
    std::optional<int32_t> stop; // percent, 0..50
    AnalysisFormat format = AnalysisFormat::Text;
};

std::optional<std::string> TakeStopPercent(std::string_view value, std::optional<int32_t>& stop) {
    const std::optional<int32_t> percent = ParseWhole(value);
    if (!percent || *percent < 0 || *percent > MaxStopPercent)
        return "--stop needs a whole percentage from 0 to 50, not '" + std::string(value) + "'";
    stop = percent;
    return std::nullopt;
}

std::optional<int> ParseLossArgs(int argc, char** argv, LossOptions& options) {
    return ParseAnalysisArguments(argc, argv, LossName, LossUsage,
                                  "Prints the velocity loss of each series of a measurement file.",
                                  "FILE", {"--stop", "--format"}, options.file,
                                  [&](std::string_view name, std::string_view value) {
                                      if (name == "--format")
                                          return TakeFormat(value, options.format);
                                      return TakeStopPercent(value, options.stop);
                                  });
}

std::string LossJson(const std::vector<SeriesVelocityLoss>& losses,
                     const std::vector<std::optional<int32_t>>* stops) {
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
        if (stops) {
            const std::optional<int32_t>& at = (*stops)[i];
            out += ", \"stop_at\": " + (at ? std::to_string(*at) : std::string("null"));
        }
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
    std::vector<std::optional<int32_t>> stopList;
    if (options.stop) stopList = StopRepetitions(scratch->Series, losses, *options.stop);
    const auto* stops = options.stop ? &stopList : nullptr;
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text: {
        TextTable table = VelocityLossTable(losses, LocaleDecimalPoint());
        if (stops) AddStopColumn(table, *stops);
        out = AlignedText(table);
        break;
    }
    case AnalysisFormat::Csv:
        out = VelocityLossCsv(
            SubjectOf(scratch->Header, scratch->Series, FileTitleOf(options.file)), losses, stops);
        break;
    case AnalysisFormat::Json:
        out = LossJson(losses, stops);
        break;
    }
    return WriteAnalysis(LossName, options.format, out);
}

const bool registered = RegisterCliCommand({LossName, LossUsage, RunVelocityLoss});

} // namespace

} // namespace krovel::cli
