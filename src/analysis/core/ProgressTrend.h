// What the sessions of one exercise say together: how many, from when to when, the best
// and the last estimated 1RM, the last change and the trend per week.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "analysis/core/SessionProgress.h"

namespace krovel {

// Sessions with a trend: fewer give a slope that says nothing.
constexpr int32_t TrendSessionCount = 3;

struct ProgressSummary {
    int32_t Sessions = 0;
    std::string FirstDate, LastDate; // "YYYY-MM-DD"; empty without a dated session
    std::optional<double> BestE1rm;  // kg
    std::string BestDate;            // the earliest session with the best e1RM
    std::optional<double> LastE1rm;  // kg, the last session with an e1RM
    std::optional<double> ChangeKg;  // from the session with an e1RM before it
    std::optional<double> ChangePct;
    std::optional<double> TrendKgPerWeek; // least squares of e1RM against weeks
};

// Sessions in the order BuildProgress gives them (by date, undated last). Only sessions
// with an e1RM count for the best, the last, the change and the trend; the trend also
// needs each one dated, and at least TrendSessionCount of them on two or more days.
ProgressSummary SummariseProgress(std::span<const SessionSummary> sessions);

} // namespace krovel
