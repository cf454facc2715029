// The velocity-loss stop replayed over recorded series (the live view follows a series
// with the same VelocityLossStop).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "analysis/core/VelocityLoss.h"
#include "data/core/DataModel.h"
#include "measure/core/VelocityLossStop.h"

namespace krovel {

// The 1-based number ("Rep No") of the repetition of the series at which the stop fires.
std::optional<int32_t> StopRepetition(const SeriesRecord& series, int32_t percent);

// StopRepetition for the series of each entry of VelocityLosses(table).
std::vector<std::optional<int32_t>> StopRepetitions(std::span<const SeriesRecord> table,
                                                    const std::vector<SeriesVelocityLoss>& losses,
                                                    int32_t percent);

} // namespace krovel
