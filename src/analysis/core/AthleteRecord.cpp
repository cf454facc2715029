#include "analysis/core/AthleteRecord.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "analysis/core/AnalysisSubject.h"
#include "analysis/core/AthleteThresholds.h"
#include "analysis/core/SessionProgress.h"

namespace krovel {

namespace {

namespace fs = std::filesystem;

constexpr int64_t SecondsPerWeek = 7 * 86400;
// Below this many different loads a line may be drawn, but it says little.
constexpr size_t ReliableLoadCount = 3;

bool InWindow(int64_t t, int64_t end, bool endExcluded, int64_t span) {
    return end - t <= span && (endExcluded ? t < end : t <= end);
}

// The estimates of the line at the threshold, and how far the line can be trusted; the
// rules of a single session's profile, counting different loads across the sessions.
void Estimate(AthleteRecord& record) {
    std::set<float> masses;
    float heaviest = 0;
    for (const RecordLoad& l : record.Loads) {
        masses.insert(l.Mass);
        heaviest = std::max(heaviest, l.Mass);
    }
    auto& warnings = record.Warnings;
    if (masses.size() < ReliableLoadCount)
        warnings.push_back("Fewer than 3 loads: a record needs at least 3 different loads.");
    record.Quality = JudgeProfile(masses.size(), record.Fit);
    if (!record.Fit) return;
    const LinearFit& fit = *record.Fit;
    record.V0 = fit.Intercept;
    if (!(fit.Slope < 0)) {
        warnings.push_back(
            "The velocity does not fall as the load rises: no 1RM can be estimated.");
        return;
    }
    if (const double l0 = -fit.Intercept / fit.Slope; l0 > 0) record.L0 = l0;
    const double e1rm = (record.Threshold.Value - fit.Intercept) / fit.Slope;
    if (!(e1rm > 0)) {
        warnings.push_back("The minimum velocity threshold is not below the velocity at "
                           "zero load: no 1RM can be estimated.");
        return;
    }
    record.E1rm = e1rm;
    if (IsExtrapolation(heaviest, e1rm)) {
        warnings.push_back("The heaviest load (" + PointText(heaviest, 1) +
                           " kg) is below 70 % of the estimated 1RM: the estimate is an "
                           "extrapolation.");
    }
}

} // namespace

RecordSession RecordSessionOf(std::string file, std::span<const SeriesRecord> table,
                              int32_t bestCount) {
    // The threshold plays no part in the load points; giving one spares its warning.
    LoadVelocityProfile profile = BuildProfile(table, {std::string(), bestCount, 0.0});
    return {std::move(file), EarliestStartTime(table), std::move(profile.Loads)};
}

AthleteRecord FitRecord(std::span<const RecordSession> sessions, const RecordWindow& window,
                        std::string exercise, const VelocityThreshold& threshold,
                        int32_t bestCount) {
    AthleteRecord record;
    record.Exercise = std::move(exercise);
    record.Weeks = window.Weeks;
    record.BestCount = bestCount;
    record.Threshold = threshold;

    std::vector<const RecordSession*> dated;
    for (const RecordSession& s : sessions) {
        if (s.StartTime)
            dated.push_back(&s);
        else
            record.Warnings.push_back(s.File + " has no series start time and was left out.");
    }
    std::sort(dated.begin(), dated.end(), [](const RecordSession* a, const RecordSession* b) {
        return std::pair(*a->StartTime, a->File) < std::pair(*b->StartTime, b->File);
    });
    if (!dated.empty()) {
        const int64_t end = window.Before ? *window.Before : *dated.back()->StartTime;
        const int64_t span = SecondsPerWeek * window.Weeks;
        for (const RecordSession* s : dated) {
            if (!InWindow(*s->StartTime, end, window.Before.has_value(), span)) continue;
            record.Sessions.push_back(*s);
            for (const ProfileLoad& l : s->Loads)
                record.Loads.push_back({l.Mass, l.Velocity, s->File});
        }
    }
    std::vector<ProfileLoad> points;
    points.reserve(record.Loads.size());
    for (const RecordLoad& l : record.Loads) points.push_back({l.Mass, l.Velocity, 0});
    record.Fit = FitLine(points);
    Estimate(record);
    if (record.Threshold.Source == ThresholdSource::Default) {
        record.Warnings.push_back("No minimum velocity threshold is known for the exercise \"" +
                                  record.Exercise + "\": " + PointText(record.Threshold.Value, 2) +
                                  " m/s is used.");
    }
    return record;
}

Status BuildAthleteRecord(const RecordRequest& request, AthleteRecord& record) {
    std::vector<AthleteThreshold> athlete;
    if (Status read = ReadAthleteThresholds(request.Folder, athlete); !read) return read;
    std::vector<RecordSession> sessions;
    std::vector<RefusedFile> refused;
    std::error_code ec;
    const Status listed = ReadSessionFolder(
        request.Folder,
        [&](const std::string& name, const MeasurementScratch& file) {
            if (!SameExercise(file.Header.Exercise, request.Exercise)) return;
            if (!request.ExcludeFile.empty() &&
                fs::equivalent(fs::path(request.Folder) / name, request.ExcludeFile, ec))
                return;
            sessions.push_back(RecordSessionOf(name, file.Series, request.BestCount));
        },
        refused);
    if (!listed) return listed;
    record = FitRecord(sessions, request.Window, request.Exercise,
                       ChooseThreshold(request.ThresholdValue, athlete, request.Exercise),
                       request.BestCount);
    for (const RefusedFile& r : refused)
        record.Warnings.push_back(r.File + " was not read: " + r.Reason);
    return Status::Ok();
}

} // namespace krovel
