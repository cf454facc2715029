#include "analysis/core/LoadVelocityProfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "ui/core/LoadPoints.h"

namespace krovel {

namespace {

// Below this many loads a line may be drawn, but it says little.
constexpr size_t ReliableLoadCount = 3;
// An estimate beyond this share of the heaviest lifted load is read off the line's
// extension rather than from measured loads.
constexpr double ExtrapolationShare = 0.70;

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [&](char a, char b) { return lower(a) == b; }) != text.end();
}

std::string CountText(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string PointText(double value, int decimals) {
    char text[64];
    auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return "-";
    return std::string(text, result.ptr);
}

const char* ProfileQualityText(ProfileQuality quality) {
    switch (quality) {
    case ProfileQuality::Insufficient:
        return "insufficient";
    case ProfileQuality::Invalid:
        return "invalid";
    case ProfileQuality::Good:
        return "good";
    case ProfileQuality::Fair:
        return "fair";
    case ProfileQuality::Poor:
        return "poor";
    }
    return "";
}

const char* ThresholdSourceText(ThresholdSource source) {
    switch (source) {
    case ThresholdSource::Exercise:
        return "exercise";
    case ThresholdSource::Default:
        return "default";
    case ThresholdSource::Option:
        return "option";
    case ThresholdSource::Athlete:
        return "athlete";
    }
    return "";
}

VelocityThreshold ExerciseThreshold(std::string_view exercise) {
    struct Known {
        const char* word;
        double threshold;
    };
    // Published minimum velocity thresholds; the order decides for names that hold
    // two words ("bench press" is a bench exercise).
    static constexpr Known known[] = {{"bench", 0.17}, {"squat", 0.30}, {"deadlift", 0.15},
                                      {"press", 0.20}, {"row", 0.50},   {"pull", 0.50}};
    for (const Known& k : known) {
        if (ContainsIgnoringCase(exercise, k.word)) return {k.threshold, ThresholdSource::Exercise};
    }
    return {0.30, ThresholdSource::Default};
}

std::optional<LinearFit> FitLine(std::span<const ProfileLoad> loads) {
    const size_t n = loads.size();
    if (n < 2) return std::nullopt;
    // Velocities are taken relative to the first one: the slope is the same, and equal
    // velocities give exactly zero deviations, so a flat profile has a slope of exactly 0
    // instead of rounding noise of either sign.
    const double v0 = loads[0].Velocity;
    double sumM = 0, sumV = 0;
    for (const ProfileLoad& p : loads) {
        sumM += p.Mass;
        sumV += p.Velocity - v0;
    }
    const double meanM = sumM / double(n), meanV = sumV / double(n);
    double sxx = 0, sxy = 0, syy = 0;
    for (const ProfileLoad& p : loads) {
        const double dm = p.Mass - meanM, dv = (p.Velocity - v0) - meanV;
        sxx += dm * dm;
        sxy += dm * dv;
        syy += dv * dv;
    }
    if (!(sxx > 0)) return std::nullopt; // no two distinct masses
    LinearFit fit;
    fit.Slope = sxy / sxx;
    fit.Intercept = (meanV + v0) - fit.Slope * meanM;
    double ssRes = 0;
    for (const ProfileLoad& p : loads) {
        const double r = p.Velocity - (fit.Intercept + fit.Slope * p.Mass);
        ssRes += r * r;
    }
    if (syy > 0) fit.R2 = 1.0 - ssRes / syy;
    if (n > 2) fit.StandardError = std::sqrt(ssRes / double(n - 2));
    return fit;
}

LoadVelocityProfile BuildProfile(std::span<const SeriesRecord> table,
                                 const ProfileRequest& request) {
    LoadVelocityProfile profile;
    profile.Exercise = request.Exercise;
    profile.BestCount = std::clamp<int32_t>(request.BestCount, 1, MaxRepetitions);
    profile.Threshold = request.ThresholdValue
                            ? VelocityThreshold{*request.ThresholdValue, ThresholdSource::Option}
                            : ExerciseThreshold(request.Exercise);

    auto points = std::make_unique<LoadPointSet>();
    BuildLoadPoints(table, profile.BestCount, int(PlotQuantity::Mass), *points);
    size_t unreadableMass = 0, standingStill = 0;
    for (int32_t i = 0; i < points->Count; ++i) {
        const LoadPoint& p = points->Points[i];
        const float mass = p.value(int(PlotQuantity::Mass));
        const float velocity = p.value(int(PlotQuantity::Velocity));
        if (!std::isfinite(mass)) {
            ++unreadableMass;
        } else if (!(velocity > LoadValueBound)) {
            ++standingStill;
        } else {
            profile.Loads.push_back({mass, velocity, p.Repetitions});
        }
    }
    // A NaN mass makes the load points' order partial; the line wants them by mass.
    std::stable_sort(profile.Loads.begin(), profile.Loads.end(),
                     [](const ProfileLoad& a, const ProfileLoad& b) { return a.Mass < b.Mass; });
    auto& warnings = profile.Warnings;
    if (unreadableMass > 0) {
        warnings.push_back(CountText(unreadableMass, "load was", "loads were") +
                           " left out because the mass is not a number.");
    }
    if (standingStill > 0) {
        warnings.push_back(CountText(standingStill, "load was", "loads were") +
                           " left out because no repetition moved the bar.");
    }
    if (profile.Loads.size() < ReliableLoadCount) {
        warnings.push_back("Fewer than 3 loads: a profile needs at least 3 different loads.");
    }

    profile.Fit = FitLine(profile.Loads);
    if (profile.Fit) {
        const LinearFit& fit = *profile.Fit;
        profile.V0 = fit.Intercept;
        if (fit.Slope < 0) {
            const double l0 = -fit.Intercept / fit.Slope;
            if (l0 > 0) profile.L0 = l0;
            const double e1rm = (profile.Threshold.Value - fit.Intercept) / fit.Slope;
            if (e1rm > 0) {
                profile.E1rm = e1rm;
            } else {
                warnings.push_back("The minimum velocity threshold is not below the velocity at "
                                   "zero load: no 1RM can be estimated.");
            }
        }
    }
    if (profile.Loads.size() < ReliableLoadCount) {
        profile.Quality = ProfileQuality::Insufficient;
    } else if (!profile.Fit || !(profile.Fit->Slope < 0)) {
        profile.Quality = ProfileQuality::Invalid;
    } else {
        const double r2 = profile.Fit->R2.value_or(0);
        profile.Quality = r2 >= 0.95   ? ProfileQuality::Good
                          : r2 >= 0.90 ? ProfileQuality::Fair
                                       : ProfileQuality::Poor;
    }
    if (profile.Fit && !(profile.Fit->Slope < 0)) {
        warnings.push_back("The velocity does not fall as the load rises: no 1RM can be "
                           "estimated.");
    }
    if (profile.E1rm && !profile.Loads.empty() &&
        profile.Loads.back().Mass < ExtrapolationShare * *profile.E1rm) {
        warnings.push_back("The heaviest load (" + PointText(profile.Loads.back().Mass, 1) +
                           " kg) is below 70 % of the estimated 1RM: the estimate is an "
                           "extrapolation.");
    }
    if (profile.Threshold.Source == ThresholdSource::Default) {
        warnings.push_back("No minimum velocity threshold is known for the exercise \"" +
                           profile.Exercise + "\": " + PointText(profile.Threshold.Value, 2) +
                           " m/s is used.");
    }
    return profile;
}

} // namespace krovel
