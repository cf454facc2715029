// Velocity loss within each series: how far the mean velocity fell from the series'
// best repetition, to its last one and to its slowest one.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "data/core/DataModel.h"

namespace krovel {

struct SeriesVelocityLoss {
    int32_t Series = 0;      // 1-based, as "Set No" shows it
    float Mass = 0;          // kg
    int32_t Repetitions = 0; // repetitions that moved the bar
    double Best = 0;         // highest mean velocity, m/s
    double Last = 0;         // mean velocity of the last repetition, m/s
    double LossPct = 0;      // (Best - Last) / Best x 100
    double MaxLossPct = 0;   // (Best - slowest) / Best x 100
};

// One entry per series with at least two repetitions that moved the bar. A repetition
// recorded at 0 m/s is no lift (the load points leave it out for the same reason), so it
// is neither the last nor the slowest repetition: counting it would report a loss of
// 100 % for any set that ends with one.
std::vector<SeriesVelocityLoss> VelocityLosses(std::span<const SeriesRecord> table);

} // namespace krovel
