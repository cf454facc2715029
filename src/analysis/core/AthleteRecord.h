// An athlete's own load-velocity record for one exercise: the straight line through the
// load points of every recent session of that exercise in the athlete's folder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/core/LoadVelocityProfile.h"
#include "base/core/Status.h"
#include "data/core/DataModel.h"

namespace krovel {

// Weeks of sessions a record takes unless told otherwise.
constexpr int32_t DefaultRecordWeeks = 4;

// One session's contribution: its load points (one per load, the mean velocity of its
// best repetitions) and its time, the earliest non-zero series start.
struct RecordSession {
    std::string File;                 // name in the folder
    std::optional<int32_t> StartTime; // none when undated
    std::vector<ProfileLoad> Loads;   // ascending by mass
};

// The load points of one table, as the profile takes them.
RecordSession RecordSessionOf(std::string file, std::span<const SeriesRecord> table,
                              int32_t bestCount);

// One point of the record and the session it came from.
struct RecordLoad {
    float Mass = 0;      // kg
    float Velocity = 0;  // m/s
    std::string Session; // file name
};

// Which sessions a record takes. Without `Before` the window ends at the newest dated
// session: newest - t <= 7 * Weeks days. With it, the window is the weeks just before
// that time: Before - 7 * Weeks days <= t < Before.
struct RecordWindow {
    int32_t Weeks = DefaultRecordWeeks;
    std::optional<int32_t> Before;
};

struct AthleteRecord {
    std::string Exercise;
    int32_t Weeks = DefaultRecordWeeks;
    int32_t BestCount = 1;
    VelocityThreshold Threshold;
    std::vector<RecordSession> Sessions; // the sessions used, oldest first
    std::vector<RecordLoad> Loads;       // every point, session by session
    std::optional<LinearFit> Fit;        // through all the points together
    std::optional<double> E1rm;          // kg at the threshold
    std::optional<double> V0;            // m/s at zero load
    std::optional<double> L0;            // kg at zero velocity
    ProfileQuality Quality = ProfileQuality::Insufficient;
    std::vector<std::string> Warnings; // plain sentences
};

// The record of the given sessions (all of one exercise) within the window. Undated
// sessions are left out with a warning.
AthleteRecord FitRecord(std::span<const RecordSession> sessions, const RecordWindow& window,
                        std::string exercise, const VelocityThreshold& threshold,
                        int32_t bestCount);

struct RecordRequest {
    std::string Folder;   // the athlete's folder
    std::string Exercise; // matched ignoring case and surrounding blanks
    RecordWindow Window;
    int32_t BestCount = 1;                // repetitions averaged per load, 1..100
    std::optional<double> ThresholdValue; // the user's own threshold, m/s
    std::string ExcludeFile;              // a file path left out (the session compared)
};

// Reads every ".krvx" file directly in the folder (as progress does) and the athlete's
// thresholds there, and fits the record of the exercise. The threshold is the request's,
// else the athlete's own for the exercise, else the exercise's, into `record`. A failure
// saying why when the folder cannot be listed or its threshold file is damaged. A
// record with no sessions when the folder holds none of the exercise in the window.
Status BuildAthleteRecord(const RecordRequest& request, AthleteRecord& record);

} // namespace krovel
