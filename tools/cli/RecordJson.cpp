#include "RecordJson.h"

#include <charconv>

#include "AnalysisOutput.h"
#include "TableJson.h"

namespace krovel::cli {

namespace {

// Faster than any bar the device can measure (5.1 m/s): a threshold above is a typo.
constexpr double MaxThreshold = 5.1;
// Ten years of weekly sessions.
constexpr int32_t MaxWeeks = 520;

void AppendWarnings(std::string& out, const std::vector<std::string>& warnings) {
    out += "[";
    for (size_t i = 0; i < warnings.size(); ++i) {
        out += i ? ", " : "";
        AppendString(out, warnings[i]);
    }
    out += "]";
}

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
    if (!number || *number < 0 || *number > MaxThreshold)
        return std::string(name) + " needs a velocity from 0 to 5.1 m/s, not '" +
               std::string(value) + "'";
    threshold = number;
    return std::nullopt;
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
        AppendString(out, record.Sessions[i].File);
    }
    out += "]";
}

std::string RecordJson(const AthleteRecord& r) {
    std::string out = "{\n  \"exercise\": ";
    AppendString(out, r.Exercise);
    out += ",\n  \"mvt\": ";
    AppendDouble(out, r.Threshold.Value);
    out += ",\n  \"mvt_source\": ";
    AppendString(out, ThresholdSourceText(r.Threshold.Source));
    out += ",\n  \"weeks\": " + std::to_string(r.Weeks) + ",\n  \"sessions\": ";
    AppendSessions(out, r);
    out += ",\n  \"loads\": [";
    for (size_t i = 0; i < r.Loads.size(); ++i) {
        out += i ? ",\n    {\"mass\": " : "\n    {\"mass\": ";
        AppendFloat(out, r.Loads[i].Mass);
        out += ", \"velocity\": ";
        AppendFloat(out, r.Loads[i].Velocity);
        out += ", \"session\": ";
        AppendString(out, r.Loads[i].Session);
        out += "}";
    }
    out += r.Loads.empty() ? "],\n  \"fit\": " : "\n  ],\n  \"fit\": ";
    AppendFit(out, r.Fit);
    out += ",\n  \"e1rm\": ";
    AppendOptional(out, r.E1rm);
    out += ",\n  \"v0\": ";
    AppendOptional(out, r.V0);
    out += ",\n  \"l0\": ";
    AppendOptional(out, r.L0);
    out += ",\n  \"quality\": ";
    AppendString(out, ProfileQualityText(r.Quality));
    out += ",\n  \"warnings\": ";
    AppendWarnings(out, r.Warnings);
    out += "\n}\n";
    return out;
}

std::string ReadinessJson(const Readiness& r) {
    std::string out = "{\n  \"exercise\": ";
    AppendString(out, r.Exercise);
    out += ",\n  \"reference\": {\"sessions\": ";
    AppendSessions(out, r.Reference);
    out += ", \"fit\": ";
    AppendFit(out, r.Reference.Fit);
    out += ", \"e1rm\": ";
    AppendOptional(out, r.Reference.E1rm);
    out += "},\n  \"loads\": [";
    for (size_t i = 0; i < r.Loads.size(); ++i) {
        const ReadinessLoad& l = r.Loads[i];
        out += i ? ",\n    {\"mass\": " : "\n    {\"mass\": ";
        AppendFloat(out, l.Mass);
        out += ", \"velocity\": ";
        AppendFloat(out, l.Velocity);
        out += ", \"predicted\": ";
        AppendOptional(out, l.Predicted);
        out += ", \"difference\": ";
        AppendOptional(out, l.Difference);
        out += ", \"difference_pct\": ";
        AppendOptional(out, l.DifferencePct);
        out += "}";
    }
    out += r.Loads.empty() ? "],\n  \"mean_difference\": " : "\n  ],\n  \"mean_difference\": ";
    AppendOptional(out, r.MeanDifference);
    out += ",\n  \"band\": ";
    AppendDouble(out, r.Band);
    out += ",\n  \"verdict\": ";
    AppendString(out, ReadinessVerdictText(r.Verdict));
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
