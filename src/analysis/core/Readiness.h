// Readiness: a session's velocities against the athlete's record from the weeks before it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/core/AthleteRecord.h"
#include "analysis/core/LoadVelocityProfile.h"
#include "base/core/Status.h"

namespace krovel {

// Below this the unit cannot tell two velocities apart (its step is 0.02 m/s): the
// verdict's band is never narrower.
constexpr double MinReadinessBand = 0.03;

enum class ReadinessVerdict { Above, Usual, Below, Unknown };
const char* ReadinessVerdictText(ReadinessVerdict verdict); // "above", "usual", ...

struct ReadinessLoad {
    float Mass = 0;                      // kg
    float Velocity = 0;                  // today's, m/s
    std::optional<double> Predicted;     // the record's at this load, m/s
    std::optional<double> Difference;    // today - predicted, m/s
    std::optional<double> DifferencePct; // of the predicted velocity
};

struct Readiness {
    std::string Exercise;
    AthleteRecord Reference; // sessions, fit and e1rm of the weeks before
    std::vector<ReadinessLoad> Loads;
    std::optional<double> MeanDifference; // m/s
    double Band = MinReadinessBand;       // max(the record's SEE, MinReadinessBand)
    ReadinessVerdict Verdict = ReadinessVerdict::Unknown;
    std::optional<double> E1rm;          // today's, kg
    std::optional<double> E1rmChangePct; // against the record's
    std::vector<std::string> Warnings;
};

// Today's profile against a record: each load's difference, their mean against the band
// and the 1RM's change. Unknown without a record line (at least 2 loads).
Readiness CompareWithRecord(const LoadVelocityProfile& today, AthleteRecord reference);

struct ReadinessRequest {
    std::string File;   // today's session
    std::string Folder; // the athlete's folder; the file's own when empty
    int32_t Weeks = DefaultRecordWeeks;
    int32_t BestCount = 1;
};

// Reads the file and compares it with the record of the same exercise from the weeks
// before it (never including itself), into `readiness`. A failure saying why when the
// file or the folder cannot be read or the folder's threshold file is damaged.
Status BuildReadiness(const ReadinessRequest& request, Readiness& readiness);

} // namespace krovel
