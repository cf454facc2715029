// JSON pieces the analysis commands share, the JSON of the athlete's record and of
// readiness, and the options those two take.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AnalysisOutput.h"
#include "TableJson.h"
#include "analysis/core/AthleteRecord.h"
#include "analysis/core/Readiness.h"

namespace krovel::cli {

// --weeks: a whole number of weeks from 1 to 520.
std::optional<std::string> TakeWeeks(std::string_view value, int32_t& weeks);
// --mvt, --set-mvt: a velocity from 0 to 5.1 m/s.
std::optional<std::string> TakeThreshold(std::string_view name, std::string_view value,
                                         std::optional<double>& threshold);

// ["...", ...]
void AppendWarnings(std::string& out, const std::vector<std::string>& warnings);
// {"intercept", "slope", "r2", "see"} or null.
void AppendFit(std::string& out, const std::optional<LinearFit>& fit);
// ["a.krvx", ...], oldest first.
void AppendSessions(std::string& out, const AthleteRecord& record);

// The end of the JSON of a line through load points (a profile, a record): "fit", "e1rm",
// "v0", "l0", "quality", "warnings" and the closing brace.
template <typename Line> void AppendLineAndEstimates(std::string& out, const Line& line) {
    AppendFit(out, line.Fit);
    out += ",\n  \"e1rm\": ";
    AppendOptional(out, line.E1rm);
    out += ",\n  \"v0\": ";
    AppendOptional(out, line.V0);
    out += ",\n  \"l0\": ";
    AppendOptional(out, line.L0);
    out += ",\n  \"quality\": ";
    AppendJsonString(out, ProfileQualityText(line.Quality));
    out += ",\n  \"warnings\": ";
    AppendWarnings(out, line.Warnings);
    out += "\n}\n";
}

std::string RecordJson(const AthleteRecord& record);
std::string ReadinessJson(const Readiness& readiness);

} // namespace krovel::cli
