// JSON of the athlete's record and of readiness, and the options both commands take.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/core/AthleteRecord.h"
#include "analysis/core/Readiness.h"

namespace krovel::cli {

// --weeks: a whole number of weeks from 1 to 520.
std::optional<std::string> TakeWeeks(std::string_view value, int32_t& weeks);
// --mvt, --set-mvt: a velocity from 0 to 5.1 m/s.
std::optional<std::string> TakeThreshold(std::string_view name, std::string_view value,
                                         std::optional<double>& threshold);

// {"intercept", "slope", "r2", "see"} or null.
void AppendFit(std::string& out, const std::optional<LinearFit>& fit);
// ["a.krvx", ...], oldest first.
void AppendSessions(std::string& out, const AthleteRecord& record);

std::string RecordJson(const AthleteRecord& record);
std::string ReadinessJson(const Readiness& readiness);

} // namespace krovel::cli
