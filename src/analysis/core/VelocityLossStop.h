// The velocity-loss stop: within one series, the first repetition whose mean velocity has
// fallen by the chosen share from the fastest repetition so far. The same object follows
// a series live, one repetition at a time, and replays a recorded one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "analysis/core/VelocityLoss.h"
#include "data/core/DataModel.h"

namespace krovel {

constexpr int32_t MaxStopPercent = 50; // 0 turns the stop off

class VelocityLossStop {
public:
    explicit VelocityLossStop(int32_t percent) : percent_(percent) {}

    // The next repetition of the series, its mean velocity in the device's steps of
    // 0.02 m/s. True for exactly one repetition of a series: the first whose loss from the
    // fastest one before or at it reaches the share. A repetition at 0 m/s moved nothing
    // and is neither fastest nor slow.
    bool Add(int32_t step);
    // A new series starts.
    void Reset();

private:
    int32_t percent_ = 0;
    int32_t fastest_ = 0;
    bool fired_ = false;
};

// The 1-based number ("Rep No") of the repetition of the series at which the stop fires.
std::optional<int32_t> StopRepetition(const SeriesRecord& series, int32_t percent);

// StopRepetition for the series of each entry of VelocityLosses(table).
std::vector<std::optional<int32_t>> StopRepetitions(std::span<const SeriesRecord> table,
                                                    const std::vector<SeriesVelocityLoss>& losses,
                                                    int32_t percent);

} // namespace krovel
