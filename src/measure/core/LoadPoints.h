// The points of the diagnostic graph: one per distinct barbell load over all series,
// with the mean velocity and mean power of the load's best repetitions.
#pragma once

#include "data/core/DataModel.h"
#include "measure/core/PlotQuantity.h"

#include <cstdint>
#include <span>

namespace krovel {

// Values in PlotQuantity order: mass (kg), force (N), mean velocity (m/s), mean power (W).
struct LoadPoint {
    float Values[PlotQuantityCount] = {};
    int32_t Repetitions = 0; // repetitions of every series of the load
    float value(int32_t quantity) const { return Values[quantity]; }
};

// Fixed storage for every point a table can give (one per series at most), so a
// paint never allocates.
struct LoadPointSet {
    LoadPoint Points[MaxSeries];
    int32_t Count = 0;
};

// Mean velocities and powers at or below this bound (the float32 nearest to 0.0001)
// are left out of a load's averages, so a repetition without movement does not lower them.
inline constexpr float LoadValueBound = 0.0001f;

// Groups series 0..seriesCount-1 by exactly equal Mass (float32 equality, first
// occurrence opens the point). For each load keeps the `bestCount` repetitions with the
// highest mean velocity (on equal velocities the later repetition ranks first) and
// averages their mean velocities and mean powers above LoadValueBound. The points end
// up sorted ascending by `sortQuantity` with a stable exchange sort.
// bestCount is kept within 1..100, seriesCount within 0..1000, sortQuantity within 0..3.
void BuildLoadPoints(int32_t seriesCount, int32_t bestCount, int32_t sortQuantity,
                     LoadPointSet& out);
// The same over any table of series (a file read for analysis); at most 1000 are taken.
void BuildLoadPoints(std::span<const SeriesRecord> table, int32_t bestCount, int32_t sortQuantity,
                     LoadPointSet& out);

} // namespace krovel
