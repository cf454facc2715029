#include "AnalysisJson.h"

#include <charconv>

#include "AnalysisOutput.h"
#include "TableJson.h"
#include "analysis/core/AthleteThresholds.h"

namespace krovel::cli {

namespace {

// Ten years of weekly sessions.
constexpr int32_t MaxWeeks = 520;

} // namespace

std::optional<std::string> TakeWeeks(std::string_view value, int32_t& weeks) {
    int32_t number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < 1 ||
        number > MaxWeeks)
        return "--weeks needs a whole number from 1 to 520, not '" + std::string(value) + "'";
    weeks = number;
    return std::nullopt;
}

std::optional<std::string> TakeThreshold(std::string_view name, std::string_view value,
                                         std::optional<double>& threshold) {
    auto number = ParseDecimal(value);
    if (!number || *number < 0 || *number > MaxVelocityThreshold)
        return std::string(name) + " needs a velocity from 0 to 5.1 m/s, not '" +
               std::string(value) + "'";
    threshold = number;
    return std::nullopt;
}

void AppendWarnings(std::string& out, const std::vector<std::string>& warnings) {
    out += "[";
    for (size_t i = 0; i < warnings.size(); ++i) {
        out += i ? ", " : "";
        AppendJsonString(out, warnings[i]);
    }
    out += "]";
}

void AppendFit(std::string& out, const std::optional<LinearFit>& fit) {
    if (!fit) {
        out += "null";
        return;
    }
    out += "{\"intercept\": ";
    AppendDouble(out, fit->Intercept);
    out += ", \"slope\": ";
    AppendDouble(out, fit->Slope);
    out += ", \"r2\": ";
    AppendOptional(out, fit->R2);
    out += ", \"see\": ";
    AppendOptional(out, fit->StandardError);
    out += "}";
}

void AppendSessions(std::string& out, const AthleteRecord& record) {
    out += "[";
    for (size_t i = 0; i < record.Sessions.size(); ++i) {
        out += i ? ", " : "";
        AppendJsonString(out, record.Sessions[i].File);
    }
    out += "]";
}

std::string RecordJson(const AthleteRecord& r) {
    std::string out = "{\n  \"exercise\": ";
    AppendJsonString(out, r.Exercise);
    out += ",\n  \"mvt\": ";
    AppendDouble(out, r.Threshold.Value);
    out += ",\n  \"mvt_source\": ";
    AppendJsonString(out, ThresholdSourceText(r.Threshold.Source));
    out += ",\n  \"weeks\": " + std::to_string(r.Weeks) + ",\n  \"sessions\": ";
    AppendSessions(out, r);
    out += ",\n  \"loads\": ";
    AppendObjectLines(out, r.Loads.size(), [&](size_t i) {
        out += "\"mass\": ";
        AppendFloat(out, r.Loads[i].Mass);
        out += ", \"velocity\": ";
        AppendFloat(out, r.Loads[i].Velocity);
        out += ", \"session\": ";
        AppendJsonString(out, r.Loads[i].Session);
    });
    out += ",\n  \"fit\": ";
    AppendLineAndEstimates(out, r);
    return out;
}

std::string ReadinessJson(const Readiness& r) {
    std::string out = "{\n  \"exercise\": ";
    AppendJsonString(out, r.Exercise);
    out += ",\n  \"reference\": {\"sessions\": ";
    AppendSessions(out, r.Reference);
    out += ", \"fit\": ";
    AppendFit(out, r.Reference.Fit);
    out += ", \"e1rm\": ";
    AppendOptional(out, r.Reference.E1rm);
    out += "},\n  \"loads\": ";
    AppendObjectLines(out, r.Loads.size(), [&](size_t i) {
        const ReadinessLoad& l = r.Loads[i];
        out += "\"mass\": ";
        AppendFloat(out, l.Mass);
        out += ", \"velocity\": ";
        AppendFloat(out, l.Velocity);
        out += ", \"predicted\": ";
        AppendOptional(out, l.Predicted);
        out += ", \"difference\": ";
        AppendOptional(out, l.Difference);
        out += ", \"difference_pct\": ";
        AppendOptional(out, l.DifferencePct);
    });
    out += ",\n  \"mean_difference\": ";
    AppendOptional(out, r.MeanDifference);
    out += ",\n  \"band\": ";
    AppendDouble(out, r.Band);
    out += ",\n  \"verdict\": ";
    AppendJsonString(out, ReadinessVerdictText(r.Verdict));
    out += ",\n  \"e1rm\": ";
    AppendOptional(out, r.E1rm);
    out += ",\n  \"e1rm_change_pct\": ";
    AppendOptional(out, r.E1rmChangePct);
    out += ",\n  \"warnings\": ";
    std::vector<std::string> warnings = r.Reference.Warnings;
    warnings.insert(warnings.end(), r.Warnings.begin(), r.Warnings.end());
    AppendWarnings(out, warnings);
    out += "\n}\n";
    return out;
}

} // namespace krovel::cli
