#include "analysis/core/Readiness.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <memory>
#include <utility>

#include "analysis/core/AnalysisSubject.h"
#include "data/core/MeasurementFile.h"

namespace krovel {

const char* ReadinessVerdictText(ReadinessVerdict verdict) {
    switch (verdict) {
    case ReadinessVerdict::Above:
        return "above";
    case ReadinessVerdict::Usual:
        return "usual";
    case ReadinessVerdict::Below:
        return "below";
    case ReadinessVerdict::Unknown:
        return "unknown";
    }
    return "";
}

Readiness CompareWithRecord(const LoadVelocityProfile& today, AthleteRecord reference) {
    Readiness r;
    r.Exercise = today.Exercise;
    r.E1rm = today.E1rm;
    const std::optional<LinearFit>& fit = reference.Fit;
    double sum = 0;
    int32_t compared = 0;
    for (const ProfileLoad& load : today.Loads) {
        ReadinessLoad l{load.Mass, load.Velocity, {}, {}, {}};
        if (fit) {
            const double predicted = fit->Intercept + fit->Slope * load.Mass;
            l.Predicted = predicted;
            l.Difference = load.Velocity - predicted;
            if (predicted > 0) l.DifferencePct = *l.Difference / predicted * 100;
            sum += *l.Difference;
            ++compared;
        }
        r.Loads.push_back(l);
    }
    if (fit) r.Band = std::max(fit->StandardError.value_or(0), MinReadinessBand);
    if (compared > 0) {
        r.MeanDifference = sum / compared;
        r.Verdict = *r.MeanDifference > r.Band    ? ReadinessVerdict::Above
                    : *r.MeanDifference < -r.Band ? ReadinessVerdict::Below
                                                  : ReadinessVerdict::Usual;
    } else if (!fit) {
        r.Warnings.push_back("No record of at least 2 loads from the " +
                             std::to_string(reference.Weeks) +
                             " weeks before the session: no verdict.");
    } else {
        r.Warnings.push_back("The session has no load to compare: no verdict.");
    }
    if (r.E1rm && reference.E1rm)
        r.E1rmChangePct = (*r.E1rm - *reference.E1rm) / *reference.E1rm * 100;
    r.Reference = std::move(reference);
    return r;
}

Status BuildReadiness(const ReadinessRequest& request, Readiness& readiness) {
    auto file = std::make_unique<MeasurementScratch>();
    const FileLoadError loadError = LoadMeasurementFile(request.File, *file);
    if (loadError != FileLoadError::None)
        return Status::Fail(request.File + ": " + FileLoadErrorText(loadError));
    std::string folder = request.Folder;
    if (folder.empty()) folder = std::filesystem::path(request.File).parent_path().string();
    if (folder.empty()) folder = ".";
    const std::string& exercise = file->Header.Exercise;
    const std::optional<int32_t> day = EarliestStartTime(file->Series);
    RecordRequest recordRequest;
    recordRequest.Folder = folder;
    recordRequest.Exercise = exercise;
    // An undated session has no weeks before it: a window before the earliest time
    // takes no session.
    recordRequest.Window = {request.Weeks, day.value_or(std::numeric_limits<int32_t>::min())};
    recordRequest.BestCount = request.BestCount;
    recordRequest.ExcludeFile = request.File;
    AthleteRecord record;
    if (Status built = BuildAthleteRecord(recordRequest, record); !built) return built;

    LoadVelocityProfile today =
        BuildProfile(file->Series, {exercise, request.BestCount, record.Threshold.Value});
    today.Threshold = record.Threshold;
    readiness = CompareWithRecord(today, std::move(record));
    if (!day)
        readiness.Warnings.insert(readiness.Warnings.begin(),
                                  "The session has no series start time.");
    for (const std::string& w : today.Warnings) readiness.Warnings.push_back(w);
    return Status::Ok();
}

} // namespace krovel
