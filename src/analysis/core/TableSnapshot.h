// The complete series of the process-wide table, as the analyses read them: a copy to
// work on, and a cheap fingerprint that tells when the copy is out of date (a live set
// ended, a file was opened or imported, a repetition or series was deleted).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/core/DataModel.h"

namespace krovel {

struct TableSnapshot {
    std::string Exercise;
    std::vector<SeriesRecord> Series; // entries 0..SeriesCount-1
};

// SeriesCount as the user-interface thread may read it while a device reader runs,
// kept within 0..1000. The entry being filled live is not counted.
int32_t CompleteSeriesCount();

TableSnapshot TakeTableSnapshot();

// Changes when anything an analysis reads changes: the exercise, the count, and each
// complete series' mass, start time, repetition count and mean velocities.
uint64_t TableFingerprint();

} // namespace krovel
