// Loads to lift for a target: from a load-velocity line (an athlete's record or one
// session's own profile), the load for a target mean velocity or a share of the e1RM,
// rounded to what can be put on the bar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/core/LoadVelocityProfile.h"
namespace krovel {

constexpr double DefaultPlateStep = 2.5; // kg

// The line a prescription reads: v = Fit.Intercept + Fit.Slope * m, falling with the load,
// the minimum velocity threshold and the load at which the line reaches it.
struct PrescriptionLine {
    LinearFit Fit;
    double Threshold = 0; // m/s
    double E1rm = 0;      // kg
};

// The line of a profile or a record; none when it estimates no 1RM.
std::optional<PrescriptionLine> LineOf(const std::optional<LinearFit>& fit, double threshold,
                                       const std::optional<double>& e1rm);

// The nearest multiple of the plate step, halfway ties to the lighter load.
double RoundToPlate(double load, double plate);

struct PrescribedLoad {
    int32_t Percent = 0; // of the e1RM: the row's, or the load's rounded to a whole one
    double Load = 0;     // kg, rounded to the plate step
    double Velocity = 0; // m/s the line predicts at that load
};

// A target the line answers, or why it cannot.
struct PrescriptionResult {
    std::optional<PrescribedLoad> Load;
    std::string Refusal; // a plain phrase when there is no load
};

PrescriptionResult LoadForVelocity(const PrescriptionLine& line, double velocity, double plate);
PrescriptionResult LoadForPercent(const PrescriptionLine& line, double percent, double plate);

// 40 % to 100 % of the e1RM in steps of 5 %; rows whose load rounds to nothing are left out.
std::vector<PrescribedLoad> LoadTable(const PrescriptionLine& line, double plate);

} // namespace krovel
