// krovel-cli prescribe FOLDER|FILE --exercise TEXT [--velocity V | --percent P] [--plate KG]
//                      [--format text|csv|json]
// The loads to lift for a target, read off a load-velocity line: for a folder (an
// athlete's) the record, the line through the exercise's sessions of the last weeks
// there; for one measurement file that session's own profile. Without a target, a table
// from 40 % to 100 % of the e1RM; loads are rounded to the plate step.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "AnalysisOutput.h"
#include "CliCommand.h"
#include "TableJson.h"
#include "analysis/core/AnalysisTables.h"
#include "analysis/core/AthleteRecord.h"
#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/LoadPrescription.h"

namespace krovel::cli {

namespace {

constexpr const char* PrescribeName = "prescribe";
constexpr const char* PrescribeUsage =
    "prescribe FOLDER --exercise TEXT [--velocity V | --percent P] [--plate KG] "
    "[--format text|csv|json]";

// Finer than any plate made; coarser than any two plates of a pair.
constexpr double MinPlate = 0.05, MaxPlate = 50;

struct PrescribeOptions {
    std::string operand;
    std::optional<std::string> exercise;
    std::optional<double> velocity, percent;
    double plate = DefaultPlateStep;
    AnalysisFormat format = AnalysisFormat::Text;
};

std::optional<std::string> TakeNumber(std::string_view name, std::string_view value,
                                      std::optional<double>& number) {
    number = ParseDecimal(value);
    if (!number) return std::string(name) + " needs a number, not '" + std::string(value) + "'";
    return std::nullopt;
}

std::optional<int> ParsePrescribeArgs(int argc, char** argv, PrescribeOptions& options) {
    auto exit = ParseAnalysisArguments(
        argc, argv, PrescribeName, PrescribeUsage,
        "Prints the load for a target velocity or percentage of the e1RM, or a table of loads, "
        "from the line of an athlete's folder (or of one measurement file).",
        "FOLDER", {"--exercise", "--velocity", "--percent", "--plate", "--format"}, options.operand,
        [&](std::string_view name, std::string_view value) -> std::optional<std::string> {
            if (name == "--format") return TakeFormat(value, options.format);
            if (name == "--exercise") {
                options.exercise = std::string(value);
                return std::nullopt;
            }
            if (name == "--velocity") return TakeNumber(name, value, options.velocity);
            if (name == "--percent") return TakeNumber(name, value, options.percent);
            std::optional<double> plate;
            if (TakeNumber(name, value, plate) || *plate < MinPlate || *plate > MaxPlate)
                return "--plate needs a step from 0.05 to 50 kg, not '" + std::string(value) + "'";
            options.plate = *plate;
            return std::nullopt;
        });
    if (exit) return exit;
    if (options.velocity && options.percent)
        return Refuse("krovel-cli prescribe", "--velocity and --percent cannot be given together");
    return std::nullopt;
}

void AppendRow(std::string& out, const PrescribedLoad& row) {
    out += "{\"percent\": " + std::to_string(row.Percent) + ", \"velocity\": ";
    AppendDouble(out, row.Velocity);
    out += ", \"load\": ";
    AppendDouble(out, row.Load);
    out += "}";
}

struct Prescription {
    std::string exercise;
    const char* source = "record";
    PrescriptionLine line;
    double plate = DefaultPlateStep;
    std::optional<double> target; // the velocity or percentage asked for
    bool velocityTarget = false;
    std::optional<PrescribedLoad> load;
    std::vector<PrescribedLoad> rows;
};

std::string PrescriptionJson(const Prescription& p) {
    std::string out = "{\n  \"exercise\": ";
    AppendJsonString(out, p.exercise);
    out += ",\n  \"source\": ";
    AppendJsonString(out, p.source);
    out += ",\n  \"e1rm\": ";
    AppendDouble(out, p.line.E1rm);
    out += ",\n  \"plate\": ";
    AppendDouble(out, p.plate);
    if (p.load) {
        out += ",\n  \"target\": ";
        AppendOptional(out, p.target);
        out += ",\n  \"load\": ";
        AppendDouble(out, p.load->Load);
    }
    out += ",\n  \"rows\": [";
    for (size_t i = 0; i < p.rows.size(); ++i) {
        out += i ? ",\n    " : "\n    ";
        AppendRow(out, p.rows[i]);
    }
    out += p.rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

// Text: "name: value" lines, an empty line, the loads. CSV: the same as "Quantity,Value"
// rows, as the profile's CSV has them.
std::string PrescriptionText(const Prescription& p, char point, bool csv) {
    auto number = [&](double value, int decimals) {
        std::string text = PointText(value, decimals);
        std::replace(text.begin(), text.end(), '.', point);
        return text;
    };
    TextTable summary{{"Quantity", "Value"},
                      {{"Exercise", p.exercise},
                       {"Source", p.source},
                       {"e1RM (kg)", number(p.line.E1rm, 1)},
                       {"MVT (m/s)", number(p.line.Threshold, 2)},
                       {"Plate step (kg)", number(p.plate, 2)}}};
    if (p.load) {
        summary.Rows.push_back(
            {p.velocityTarget ? "Target (m/s)" : "Target (% e1RM)", number(*p.target, 2)});
        summary.Rows.push_back({"Load (kg)", number(p.load->Load, 2)});
    }
    const TextTable table = PrescriptionTable(p.rows, point);
    if (csv) return CsvText(summary) + "\r\n" + CsvText(table);
    std::string out;
    for (const auto& row : summary.Rows) out += row[0] + ": " + row[1] + '\n';
    return out + '\n' + AlignedText(table);
}

// The load-velocity line the prescription follows: of one session file, or of the
// athlete's record in a folder. An exit status when the operand gives none.
std::optional<int> TakeLine(const PrescribeOptions& options, const std::string& command,
                            Prescription& p) {
    std::error_code ec;
    const bool oneFile = std::filesystem::is_regular_file(options.operand, ec);
    std::optional<PrescriptionLine> line;
    if (oneFile) {
        auto scratch = LoadForAnalysis(PrescribeName, options.operand.c_str());
        if (!scratch) return ExitRefused;
        // The threshold as `profile` takes it: the athlete's own, kept in the file's
        // folder, else the exercise's.
        std::vector<AthleteThreshold> athlete;
        if (const Status read = ReadAthleteThresholds(
                std::filesystem::path(options.operand).parent_path().string(), athlete);
            !read)
            return Refuse(command, read.message());
        const VelocityThreshold threshold =
            ChooseThreshold(std::nullopt, athlete, scratch->Header.Exercise);
        const LoadVelocityProfile profile =
            BuildProfile(scratch->Series, {scratch->Header.Exercise, 1, threshold.Value});
        p.source = "session";
        p.exercise = profile.Exercise;
        line = LineOf(profile.Fit, threshold.Value, profile.E1rm);
    } else {
        if (!options.exercise) return Refuse(command, "--exercise is needed for a folder");
        AthleteRecord record;
        if (const Status built = BuildAthleteRecord({options.operand, *options.exercise}, record);
            !built)
            return Refuse(command, built.message());
        p.exercise = record.Exercise;
        line = LineOf(record.Fit, record.Threshold.Value, record.E1rm);
    }
    if (!line) {
        return Refuse(command, "no e1RM for \"" + p.exercise +
                                   "\": the line needs at least two loads with the velocity "
                                   "falling as the load rises");
    }
    p.line = *line;
    return std::nullopt;
}

int RunPrescribe(int argc, char** argv) {
    PrescribeOptions options;
    if (auto exit = ParsePrescribeArgs(argc, argv, options)) return *exit;
    const std::string command = std::string("krovel-cli ") + PrescribeName;
    Prescription p;
    p.plate = options.plate;
    if (auto exit = TakeLine(options, command, p)) return *exit;
    if (options.velocity || options.percent) {
        const PrescriptionResult result = options.velocity
                                              ? LoadForVelocity(p.line, *options.velocity, p.plate)
                                              : LoadForPercent(p.line, *options.percent, p.plate);
        if (!result.Load) return Refuse(command, result.Refusal);
        p.target = options.velocity ? options.velocity : options.percent;
        p.velocityTarget = options.velocity.has_value();
        p.load = result.Load;
        p.rows = {*result.Load};
    } else {
        p.rows = LoadTable(p.line, p.plate);
    }
    std::string out;
    switch (options.format) {
    case AnalysisFormat::Text:
        out = PrescriptionText(p, LocaleDecimalPoint(), false);
        break;
    case AnalysisFormat::Csv:
        out = PrescriptionText(p, '.', true);
        break;
    case AnalysisFormat::Json:
        out = PrescriptionJson(p);
        break;
    }
    return WriteAnalysis(PrescribeName, options.format, out);
}

const bool registered = RegisterCliCommand({PrescribeName, PrescribeUsage, RunPrescribe});

} // namespace

} // namespace krovel::cli
