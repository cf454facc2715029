// The load-velocity profile of a table of series: one point per distinct load (the
// diagnostic graph's load points for mean velocity), the straight line through them, and
// the one-repetition maximum it predicts at a minimum velocity threshold.
#pragma once

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

// Velocity the bar moves at in a last possible repetition, by the exercise's name
// (case-insensitive, first match): bench 0.17, squat 0.30, deadlift 0.15, press 0.20,
// row or pull 0.50; 0.30 from the Default source for any other name.
VelocityThreshold ExerciseThreshold(std::string_view exercise);

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

// Profile of the given series. Loads whose mass is not a finite number (a damaged file)
// or whose repetitions all stood still are left out of the line, with a warning.
LoadVelocityProfile BuildProfile(std::span<const SeriesRecord> table,
                                 const ProfileRequest& request);

// Fixed-point text with a decimal point whatever the locale, e.g. (0.1234, 2) -> "0.12".
std::string PointText(double value, int decimals);

} // namespace krovel
