#include "analysis/core/VelocityLoss.h"

#include <algorithm>

namespace krovel {

std::vector<SeriesVelocityLoss> VelocityLosses(std::span<const SeriesRecord> table) {
    std::vector<SeriesVelocityLoss> losses;
    for (size_t s = 0; s < table.size(); ++s) {
        const SeriesRecord& record = table[s];
        const int32_t reps = std::clamp<int32_t>(record.RepCount, 0, MaxRepetitions);
        // Stored velocities are whole steps of 0.02 m/s: the ratios are taken from the
        // steps themselves, so they carry no rounding of the conversion.
        int best = 0, last = 0, slowest = 256, moving = 0;
        for (int32_t r = 0; r < reps; ++r) {
            const int v = record.MeanVelocity[r];
            if (v == 0) continue;
            ++moving;
            best = std::max(best, v);
            slowest = std::min(slowest, v);
            last = v;
        }
        if (moving < 2) continue;
        SeriesVelocityLoss loss;
        loss.Series = static_cast<int32_t>(s) + 1;
        loss.Mass = record.Mass;
        loss.Repetitions = moving;
        loss.Best = best * 2 / 100.0;
        loss.Last = last * 2 / 100.0;
        loss.LossPct = double(best - last) / best * 100.0;
        loss.MaxLossPct = double(best - slowest) / best * 100.0;
        losses.push_back(loss);
    }
    return losses;
}

} // namespace krovel
