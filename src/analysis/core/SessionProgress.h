// Progress across sessions: every measurement file directly in one folder (a subject's
// folder) is one session; the sessions are grouped by exercise and put in date order.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/core/LoadVelocityProfile.h"
#include "base/core/Status.h"
#include "data/core/DataModel.h"
#include "data/core/MeasurementFile.h"

namespace krovel {

struct SessionSummary {
    std::string File;                 // name in the folder
    std::optional<int32_t> StartTime; // earliest non-zero series start; none when undated
    std::string Date;                 // its local date, "YYYY-MM-DD"; empty when undated
    std::optional<double> E1rm;       // kg
    std::optional<double> R2;
    ProfileQuality Quality = ProfileQuality::Insufficient;
    int32_t Loads = 0;                  // loads in the profile
    int32_t Repetitions = 0;            // all repetitions of the file
    double VolumeKg = 0;                // sum of mass x repetitions, plausible masses only
    std::optional<double> BestVelocity; // highest mean velocity, m/s; none without repetitions
};

// The session of one table, its profile computed with the exercise's threshold or the
// user's own.
SessionSummary SummariseSession(std::string file, std::span<const SeriesRecord> table,
                                const std::string& exercise, int32_t bestCount,
                                std::optional<double> threshold = std::nullopt);

struct ExerciseProgress {
    std::string Exercise; // as the first file read names it, without surrounding blanks
    std::vector<SessionSummary> Sessions; // ascending by date, undated ones last
};

// A ".krvx" entry of the folder that was not read.
struct RefusedFile {
    std::string File;   // its name, the bytes the system gives
    std::string Reason; // the message Open would show; for an entry that is no file
                        // "a folder", "not a regular file", "a dangling link" or the
                        // system's reason (e.g. "Too many levels of symbolic links")
};

// Reads each ".krvx" entry directly in the folder, by name, all or nothing as Open does,
// and gives `read` its name and contents; an entry that cannot be read goes to `refused`
// with its reason. A failure saying why when the folder cannot be listed.
Status ReadSessionFolder(
    const std::string& folder,
    const std::function<void(const std::string& name, const MeasurementScratch& file)>& read,
    std::vector<RefusedFile>& refused);

struct ProgressReport {
    int32_t FilesRead = 0;
    std::vector<RefusedFile> Refused;        // by name
    std::vector<std::string> Athletes;       // the subject names of the files read, each once
    std::vector<ExerciseProgress> Exercises; // by ExerciseKey: case and surrounding
                                             // blanks do not tell exercises apart
};

struct ProgressRequest {
    std::string Folder;
    int32_t BestCount = 1;
    std::optional<std::string> Exercise;  // only this exercise (ignoring case)
    std::optional<double> ThresholdValue; // the user's own threshold, m/s; else the
                                          // athlete's own kept in the folder, else the
                                          // exercise's
};

// Reads every ".krvx" file directly in the folder, each all or nothing as Open does;
// a refused file, and any ".krvx" entry that is not a file (a folder, a pipe, a link
// to nothing), is listed with its reason and the others are still read, into `report`.
// A failure saying why when the folder itself cannot be listed or its thresholds file
// is damaged.
Status BuildProgress(const ProgressRequest& request, ProgressReport& report);

} // namespace krovel
