#include "analysis/core/VelocityLossStop.h"

#include <algorithm>

namespace krovel {

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
