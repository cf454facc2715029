// A subject record for registry tests: a man of the given height and weight.
#pragma once

#include <cstdint>
#include <string>

#include "data/core/DataModel.h"

namespace krovel::testing {

inline SubjectRecord Athlete(const std::string& name, int32_t height = 180, int32_t weight = 80) {
    SubjectRecord r;
    r.SubjectName = name;
    r.Sex = SexMale;
    r.Height = height;
    r.BodyWeight = weight;
    r.Comment = "squat";
    return r;
}

} // namespace krovel::testing
