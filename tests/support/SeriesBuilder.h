// Series records for tests of the analyses, written the way the device stores them.
#pragma once

#include <initializer_list>

#include "data/core/DataModel.h"

namespace krovel::testing {

// One series of one load; mean velocities in the device's steps of 0.02 m/s.
inline SeriesRecord SeriesOf(float mass, std::initializer_list<int> steps, int32_t start = 0) {
    SeriesRecord s{};
    s.Mass = mass;
    s.StartTime = start;
    for (int b : steps) s.MeanVelocity[s.RepCount++] = static_cast<uint8_t>(b);
    return s;
}

} // namespace krovel::testing
