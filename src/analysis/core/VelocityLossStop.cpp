#include "analysis/core/VelocityLossStop.h"

#include <algorithm>

namespace krovel {

bool VelocityLossStop::Add(int32_t step) {
    if (percent_ <= 0 || fired_ || step <= 0) return false;
    fastest_ = std::max(fastest_, step);
    // (fastest - v) / fastest >= percent / 100, in whole steps: no rounding at the edge.
    fired_ = (fastest_ - step) * 100 >= percent_ * fastest_;
    return fired_;
}

void VelocityLossStop::Reset() {
    fastest_ = 0;
    fired_ = false;
}

std::optional<int32_t> StopRepetition(const SeriesRecord& series, int32_t percent) {
    VelocityLossStop stop(percent);
    const int32_t reps = std::clamp<int32_t>(series.RepCount, 0, MaxRepetitions);
    for (int32_t r = 0; r < reps; ++r) {
        if (stop.Add(series.MeanVelocity[r])) return r + 1;
    }
    return std::nullopt;
}

std::vector<std::optional<int32_t>> StopRepetitions(std::span<const SeriesRecord> table,
                                                    const std::vector<SeriesVelocityLoss>& losses,
                                                    int32_t percent) {
    std::vector<std::optional<int32_t>> stops;
    stops.reserve(losses.size());
    for (const SeriesVelocityLoss& loss : losses)
        stops.push_back(StopRepetition(table[size_t(loss.Series - 1)], percent));
    return stops;
}

} // namespace krovel
