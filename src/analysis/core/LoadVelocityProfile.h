// The load-velocity profile of a table of series: one point per distinct load (the
// diagnostic graph's load points for mean velocity), the straight line through them, and
// the one-repetition maximum it predicts at a minimum velocity threshold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/core/DataModel.h"

namespace krovel {

// One load of the profile: its mass, the mean velocity of its best repetitions and the
// number of repetitions lifted with it, as the load points hold them (float32).
struct ProfileLoad {
    float Mass = 0;     // kg
    float Velocity = 0; // m/s
    int32_t Repetitions = 0;
};

// v = Intercept + Slope * m, ordinary least squares with one point per load.
struct LinearFit {
    double Intercept = 0;
    double Slope = 0;
    std::optional<double> R2;            // none when every velocity is the same
    std::optional<double> StandardError; // sqrt(SSres / (n - 2)); none for two points
};

// The line through at least two points of distinct mass; none for fewer.
std::optional<LinearFit> FitLine(std::span<const ProfileLoad> loads);

enum class ProfileQuality { Insufficient, Invalid, Good, Fair, Poor };
const char* ProfileQualityText(ProfileQuality quality); // "insufficient", "invalid", ...

enum class ThresholdSource { Exercise, Default, Option, Athlete };
// "exercise", "default", "option", "athlete"
const char* ThresholdSourceText(ThresholdSource source);

struct VelocityThreshold {
    double Value = 0; // m/s
    ThresholdSource Source = ThresholdSource::Default;
};

// Velocity the bar moves at in a last possible repetition, by the words of the exercise's
// name (split at every character that is not a letter, ignoring case and a plural "s").
// The first rule with a word in the name decides: pull or row 0.50, deadlift 0.15,
// squat 0.32, bench 0.17, press 0.20; 0.30 from the Default source for any other name.
VelocityThreshold ExerciseThreshold(std::string_view exercise);

// Whether a series' mass can be a barbell load: a number above 0 kg and at most 1000 kg.
// A load outside (a damaged file, a typing error) is left out of the analyses.
bool IsPlausibleMass(float mass);

// The verdict on a profile of `loadCount` loads and its line: insufficient below 3 loads,
// invalid unless the velocity falls as the load rises, otherwise good for r2 >= 0.95,
// fair for r2 >= 0.90 and poor below.
ProfileQuality JudgeProfile(size_t loadCount, const std::optional<LinearFit>& fit);

// Whether an estimated 1RM is read off the line's extension: more than 1/0.7 times the
// heaviest lifted load, which is then below 70 % of it.
bool IsExtrapolation(double heaviestLoad, double e1rm);

struct ProfileRequest {
    std::string Exercise;
    int32_t BestCount = 1;                // repetitions averaged per load, 1..100
    std::optional<double> ThresholdValue; // the user's own threshold, m/s
};

struct LoadVelocityProfile {
    std::string Exercise;
    int32_t BestCount = 1;
    VelocityThreshold Threshold;
    std::vector<ProfileLoad> Loads; // ascending by mass
    std::optional<LinearFit> Fit;
    std::optional<double> E1rm; // kg at the threshold
    std::optional<double> V0;   // m/s at zero load
    std::optional<double> L0;   // kg at zero velocity
    ProfileQuality Quality = ProfileQuality::Insufficient;
    std::vector<std::string> Warnings; // plain sentences
};

// Profile of the given series. Loads whose mass is not plausible (IsPlausibleMass) or
// whose repetitions all stood still are left out of the line, with a warning.
LoadVelocityProfile BuildProfile(std::span<const SeriesRecord> table,
                                 const ProfileRequest& request);

// A rounded number as text with a decimal point whatever the locale: fixed-point with
// `decimals` decimals, e.g. (0.1234, 2) -> "0.12", or more where needed to show at least
// `significant` significant digits, e.g. (0.0000123, 5, 3) -> "0.0000123". A magnitude of
// 1e6 or more, and below 1e-6 where significant digits are asked for, is written as
// "%.3e" does, e.g. "2.999e+30"; a value that is not a number or infinite as "-".
std::string PointText(double value, int decimals, int significant = 0);

// A line's slope is small (hundredths of m/s per kg or less): at least this many of its
// digits are shown, however many decimals that takes.
inline constexpr int SlopeDigits = 3;

} // namespace krovel
