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

namespace krovel {

constexpr const char* AthleteThresholdsFileName = "thresholds.txt";

struct AthleteThreshold {
    std::string Exercise;
    double Value = 0; // m/s
};

// An exercise name as names are compared: without surrounding blanks, lower case.
std::string ExerciseKey(std::string_view exercise);
bool SameExercise(std::string_view a, std::string_view b);

// The thresholds of a file's text; nothing when a line is damaged, `error` naming it
// ("line 3: ...").
std::optional<std::vector<AthleteThreshold>> ParseAthleteThresholds(std::string_view text,
                                                                    std::string& error);
std::string AthleteThresholdsText(std::span<const AthleteThreshold> thresholds);

// The thresholds kept in the folder: none when it holds no such file; nothing when the
// file cannot be read or is damaged, `error` naming the file (and line).
std::optional<std::vector<AthleteThreshold>> ReadAthleteThresholds(const std::string& folder,
                                                                   std::string& error);
// Sets one exercise's threshold in the folder's file (replacing the one it had), with the
// atomic save. False, the file untouched and `error` saying why, when it cannot.
bool SetAthleteThreshold(const std::string& folder, std::string_view exercise, double value,
                         std::string& error);

std::optional<double> FindAthleteThreshold(std::span<const AthleteThreshold> thresholds,
                                           std::string_view exercise);

// The threshold to use: the user's option, else the athlete's own, else the exercise's.
VelocityThreshold ChooseThreshold(std::optional<double> option,
                                  std::span<const AthleteThreshold> athlete,
                                  std::string_view exercise);

} // namespace krovel
