// The athlete's own minimum velocity thresholds, one per exercise, kept in a small text
// file in the athlete's folder:
//   # Krovel minimum velocity thresholds: exercise<TAB>m/s
//   bench press<TAB>0.18
// Lines starting with '#' and blank lines are comments.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/core/LoadVelocityProfile.h"
#include "base/core/Status.h"

namespace krovel {

constexpr const char* AthleteThresholdsFileName = "thresholds.txt";
// Faster than any bar the device can measure: a threshold above is a typo.
constexpr double MaxVelocityThreshold = 5.1; // m/s

struct AthleteThreshold {
    std::string Exercise;
    double Value = 0; // m/s
};

// An exercise name as names are compared: without surrounding blanks, lower case.
std::string ExerciseKey(std::string_view exercise);
bool SameExercise(std::string_view a, std::string_view b);

// The thresholds of a file's text into `thresholds`; a failure naming the damaged line
// ("line 3: ...").
Status ParseAthleteThresholds(std::string_view text, std::vector<AthleteThreshold>& thresholds);
std::string AthleteThresholdsText(std::span<const AthleteThreshold> thresholds);

// The thresholds kept in the folder into `thresholds`: none when it holds no such file;
// a failure naming the file (and line) when it cannot be read or is damaged.
Status ReadAthleteThresholds(const std::string& folder, std::vector<AthleteThreshold>& thresholds);
// Sets one exercise's threshold in the folder's file (replacing the one it had), with the
// atomic save. A failure saying why, the file untouched, when it cannot.
Status SetAthleteThreshold(const std::string& folder, std::string_view exercise, double value);

std::optional<double> FindAthleteThreshold(std::span<const AthleteThreshold> thresholds,
                                           std::string_view exercise);

// The threshold to use: the user's option, else the athlete's own, else the exercise's.
VelocityThreshold ChooseThreshold(std::optional<double> option,
                                  std::span<const AthleteThreshold> athlete,
                                  std::string_view exercise);

} // namespace krovel
