#include "analysis/core/ProgressTrend.h"

#include <utility>
#include <vector>

namespace krovel {

namespace {

constexpr double SecondsPerWeek = 7 * 86400.0;

// Slope of e1RM over weeks since the first point, by ordinary least squares.
std::optional<double> Trend(std::span<const SessionSummary> sessions) {
    std::vector<std::pair<double, double>> points; // seconds, then weeks; kg
    for (const SessionSummary& s : sessions) {
        if (s.E1rm && s.StartTime) points.emplace_back(double(*s.StartTime), *s.E1rm);
    }
    if (points.size() < size_t(TrendSessionCount)) return std::nullopt;
    const double origin = points.front().first;
    double sumX = 0, sumY = 0;
    for (auto& [x, y] : points) {
        x = (x - origin) / SecondsPerWeek;
        sumX += x;
        sumY += y;
    }
    const double n = double(points.size()), meanX = sumX / n, meanY = sumY / n;
    double sxx = 0, sxy = 0;
    for (const auto& [x, y] : points) {
        sxx += (x - meanX) * (x - meanX);
        sxy += (x - meanX) * (y - meanY);
    }
    if (!(sxx > 0)) return std::nullopt; // all on one moment: no slope
    return sxy / sxx;
}

} // namespace

ProgressSummary SummariseProgress(std::span<const SessionSummary> sessions) {
    ProgressSummary summary;
    summary.Sessions = static_cast<int32_t>(sessions.size());
    for (const SessionSummary& s : sessions) {
        if (!s.Date.empty()) {
            if (summary.FirstDate.empty()) summary.FirstDate = s.Date;
            summary.LastDate = s.Date;
        }
        if (!s.E1rm) continue;
        if (!summary.BestE1rm || *s.E1rm > *summary.BestE1rm) {
            summary.BestE1rm = s.E1rm;
            summary.BestDate = s.Date;
        }
        if (summary.LastE1rm) {
            summary.ChangeKg = *s.E1rm - *summary.LastE1rm;
            summary.ChangePct = *summary.ChangeKg / *summary.LastE1rm * 100.0;
        }
        summary.LastE1rm = s.E1rm;
    }
    summary.TrendKgPerWeek = Trend(sessions);
    return summary;
}

} // namespace krovel
