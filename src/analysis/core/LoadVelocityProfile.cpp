#include "analysis/core/LoadVelocityProfile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

#include "measure/core/LoadPoints.h"

namespace krovel {

namespace {

// Below this many loads a line may be drawn, but it says little.
constexpr size_t ReliableLoadCount = 3;
// An estimate beyond this share of the heaviest lifted load is read off the line's
// extension rather than from measured loads.
constexpr double ExtrapolationShare = 0.70;

// The heaviest mass a barbell load can have; anything above is a typing error or damage.
constexpr float MaxPlausibleMass = 1000.0f;
// The smallest magnitude written with decimals when significant digits are asked for.
constexpr double SmallestFixed = 1e-6;
// The magnitude from which a number is written with an exponent.
constexpr double LargestFixed = 1e6;
constexpr int ExponentDigits = 3;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// A byte of a character outside ASCII counts as a letter, so an accented word stays whole.
bool IsLetter(char c) {
    return (Lower(c) >= 'a' && Lower(c) <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

// The words of a name in lower case.
std::vector<std::string> WordsOf(std::string_view name) {
    std::vector<std::string> words;
    std::string word;
    for (char c : name) {
        if (IsLetter(c)) {
            word += Lower(c);
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// "row" matches "row" and "rows"; "press" matches "press" but not "pres".
bool IsWordOrPlural(std::string_view word, std::string_view stem) {
    return word == stem ||
           (word.size() == stem.size() + 1 && word.starts_with(stem) && word.back() == 's');
}

std::string CountText(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string PointText(double value, int decimals, int significant) {
    if (!std::isfinite(value)) return "-";
    const double magnitude = std::fabs(value);
    const bool tiny = significant > 0 && magnitude > 0 && magnitude < SmallestFixed;
    char text[64];
    std::to_chars_result result{};
    if (magnitude >= LargestFixed || tiny) {
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                               ExponentDigits);
    } else {
        if (significant > 0 && magnitude > 0) {
            // The first significant digit stands -floor(log10) places after the point.
            const int first = -static_cast<int>(std::floor(std::log10(magnitude)));
            decimals = std::max(decimals, first + significant - 1);
        }
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    }
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
    // Published minimum velocity thresholds; the order decides for names that hold two
    // of the words: a "bench pull" is a pull, a "bench press" a bench exercise.
    static constexpr Known known[] = {{"pull", 0.50},  {"row", 0.50},   {"deadlift", 0.15},
                                      {"squat", 0.32}, {"bench", 0.17}, {"press", 0.20}};
    const std::vector<std::string> words = WordsOf(exercise);
    for (const Known& k : known) {
        for (const std::string& word : words) {
            if (IsWordOrPlural(word, k.word)) return {k.threshold, ThresholdSource::Exercise};
        }
    }
    return {0.30, ThresholdSource::Default};
}

bool IsPlausibleMass(float mass) {
    return mass > 0 && mass <= MaxPlausibleMass; // false for NaN as well
}

ProfileQuality JudgeProfile(size_t loadCount, const std::optional<LinearFit>& fit) {
    if (loadCount < ReliableLoadCount) return ProfileQuality::Insufficient;
    if (!fit || !(fit->Slope < 0)) return ProfileQuality::Invalid;
    const double r2 = fit->R2.value_or(0);
    return r2 >= 0.95   ? ProfileQuality::Good
           : r2 >= 0.90 ? ProfileQuality::Fair
                        : ProfileQuality::Poor;
}

bool IsExtrapolation(double heaviestLoad, double e1rm) {
    return e1rm > heaviestLoad / ExtrapolationShare;
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

namespace {

// The table's loads with a plausible mass and a moving bar, by mass; a warning for each
// kind of load left out, and one when too few remain.
void TakeLoads(std::span<const SeriesRecord> table, LoadVelocityProfile& profile) {
    auto points = std::make_unique<LoadPointSet>();
    BuildLoadPoints(table, profile.BestCount, int(PlotQuantity::Mass), *points);
    size_t implausibleMass = 0, standingStill = 0;
    for (int32_t i = 0; i < points->Count; ++i) {
        const LoadPoint& p = points->Points[i];
        const float mass = p.value(int(PlotQuantity::Mass));
        const float velocity = p.value(int(PlotQuantity::Velocity));
        if (!IsPlausibleMass(mass)) {
            ++implausibleMass;
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
    if (implausibleMass > 0) {
        warnings.push_back(CountText(implausibleMass, "load was", "loads were") +
                           " left out because the mass is not a number above 0 kg and up to "
                           "1000 kg.");
    }
    if (standingStill > 0) {
        warnings.push_back(CountText(standingStill, "load was", "loads were") +
                           " left out because no repetition moved the bar.");
    }
    if (profile.Loads.size() < ReliableLoadCount) {
        warnings.push_back("Fewer than 3 loads: a profile needs at least 3 different loads.");
    }
}

// The line through the loads and what it gives: V0, L0 and the estimated 1RM at the
// threshold.
void FitProfile(LoadVelocityProfile& profile) {
    profile.Fit = FitLine(profile.Loads);
    if (!profile.Fit) return;
    const LinearFit& fit = *profile.Fit;
    profile.V0 = fit.Intercept;
    if (!(fit.Slope < 0)) return;
    const double l0 = -fit.Intercept / fit.Slope;
    if (l0 > 0) profile.L0 = l0;
    const double e1rm = (profile.Threshold.Value - fit.Intercept) / fit.Slope;
    if (e1rm > 0) {
        profile.E1rm = e1rm;
    } else {
        profile.Warnings.push_back("The minimum velocity threshold is not below the velocity "
                                   "at zero load: no 1RM can be estimated.");
    }
}

// The quality of the fit and the warnings about how far its estimate can be trusted.
void JudgeFit(LoadVelocityProfile& profile) {
    auto& warnings = profile.Warnings;
    profile.Quality = JudgeProfile(profile.Loads.size(), profile.Fit);
    if (profile.Fit && !(profile.Fit->Slope < 0)) {
        warnings.push_back("The velocity does not fall as the load rises: no 1RM can be "
                           "estimated.");
    }
    if (profile.E1rm && !profile.Loads.empty() &&
        IsExtrapolation(profile.Loads.back().Mass, *profile.E1rm)) {
        warnings.push_back("The heaviest load (" + PointText(profile.Loads.back().Mass, 1) +
                           " kg) is below 70 % of the estimated 1RM: the estimate is an "
                           "extrapolation.");
    }
    if (profile.Threshold.Source == ThresholdSource::Default) {
        warnings.push_back("No minimum velocity threshold is known for the exercise \"" +
                           profile.Exercise + "\": " + PointText(profile.Threshold.Value, 2) +
                           " m/s is used.");
    }
}

} // namespace

LoadVelocityProfile BuildProfile(std::span<const SeriesRecord> table,
                                 const ProfileRequest& request) {
    LoadVelocityProfile profile;
    profile.Exercise = request.Exercise;
    profile.BestCount = std::clamp<int32_t>(request.BestCount, 1, MaxRepetitions);
    profile.Threshold = request.ThresholdValue
                            ? VelocityThreshold{*request.ThresholdValue, ThresholdSource::Option}
                            : ExerciseThreshold(request.Exercise);
    TakeLoads(table, profile);
    FitProfile(profile);
    JudgeFit(profile);
    return profile;
}

} // namespace krovel
