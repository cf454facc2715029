#include "data/core/SeriesEdits.h"

#include <algorithm>

#include "data/core/DataModel.h"

namespace krovel {

bool DeleteRepetition(int32_t series, int32_t rep) {
    if (series < 0 || series >= MaxSeries) return false;
    SeriesRecord& rec = Series[series];
    const int32_t count = std::clamp<int32_t>(rec.RepCount, 0, MaxRepetitions);
    if (rep < 0 || rep >= count) return false;
    rec.RepCount = count - 1;
    for (int32_t j = rep; j < rec.RepCount; ++j) {
        rec.MeanVelocity[j] = rec.MeanVelocity[j + 1];
        rec.MaxVelocity[j] = rec.MaxVelocity[j + 1];
        rec.MaxPower[j] = rec.MaxPower[j + 1];
    }
    return true;
}

bool DeleteSeries(int32_t index) {
    const int32_t count = std::min<int32_t>(SeriesCount, MaxSeries);
    if (index < 0 || index >= count) return false;
    // Whole records move: the fields a series carries and its repetitions go together.
    std::copy(Series + index + 1, Series + count, Series + index);
    SeriesCount = count - 1;
    return true;
}

} // namespace krovel
