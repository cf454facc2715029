#include "analysis/core/LoadPrescription.h"

#include <cmath>

namespace krovel {

namespace {

PrescribedLoad At(const PrescriptionLine& line, int32_t percent, double load) {
    return {percent, load, line.Fit.Intercept + line.Fit.Slope * load};
}

PrescriptionResult Refused(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

std::string ZeroLoadText(double plate) {
    return "the load is at or below 0 kg at a plate step of " + PointText(plate, 2) + " kg";
}

} // namespace

std::optional<PrescriptionLine> LineOf(const std::optional<LinearFit>& fit, double threshold,
                                       const std::optional<double>& e1rm) {
    if (!fit || !e1rm || !(fit->Slope < 0)) return std::nullopt;
    return PrescriptionLine{*fit, threshold, *e1rm};
}

double RoundToPlate(double load, double plate) {
    // ceil(x - 0.5) is the nearest whole number, x.5 going down.
    return std::ceil(load / plate - 0.5) * plate;
}

PrescriptionResult LoadForVelocity(const PrescriptionLine& line, double velocity, double plate) {
    const double v0 = line.Fit.Intercept;
    if (velocity > v0) {
        return Refused("the velocity " + PointText(velocity, 2) +
                       " m/s is above the velocity at zero load (" + PointText(v0, 2) + " m/s)");
    }
    if (velocity < line.Threshold) {
        return Refused("the velocity " + PointText(velocity, 2) +
                       " m/s is below the minimum velocity threshold (" +
                       PointText(line.Threshold, 2) + " m/s): the load would be above the e1RM");
    }
    const double load = RoundToPlate((velocity - v0) / line.Fit.Slope, plate);
    if (load <= 0) return Refused(ZeroLoadText(plate));
    return {At(line, static_cast<int32_t>(std::lround(load / line.E1rm * 100.0)), load), {}};
}

PrescriptionResult LoadForPercent(const PrescriptionLine& line, double percent, double plate) {
    if (!(percent >= 1 && percent <= 100))
        return Refused("the percentage " + PointText(percent, 1) + " is outside 1 to 100");
    const double load = RoundToPlate(line.E1rm * percent / 100.0, plate);
    if (load <= 0) return Refused(ZeroLoadText(plate));
    return {At(line, static_cast<int32_t>(std::lround(percent)), load), {}};
}

std::vector<PrescribedLoad> LoadTable(const PrescriptionLine& line, double plate) {
    std::vector<PrescribedLoad> rows;
    for (int32_t percent = 40; percent <= 100; percent += 5) {
        const double load = RoundToPlate(line.E1rm * percent / 100.0, plate);
        if (load > 0) rows.push_back(At(line, percent, load));
    }
    return rows;
}

} // namespace krovel
