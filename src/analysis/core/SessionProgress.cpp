#include "analysis/core/SessionProgress.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <system_error>
#include <utility>

#include "analysis/core/AnalysisSubject.h"
#include "analysis/core/AthleteThresholds.h"
#include "data/core/MeasurementFile.h"

namespace krovel {

namespace {

namespace fs = std::filesystem;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

// The name an exercise is shown by: its text without surrounding blanks.
std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsMeasurementFileName(const std::string& name) {
    constexpr std::string_view extension = ".krvx";
    return name.size() > extension.size() &&
           EqualIgnoringCase(std::string_view(name).substr(name.size() - extension.size()),
                             extension);
}

// Sessions in time order; undated ones after the dated, each group by file name.
bool SessionBefore(const SessionSummary& a, const SessionSummary& b) {
    if (a.StartTime.has_value() != b.StartTime.has_value()) return a.StartTime.has_value();
    if (a.StartTime && *a.StartTime != *b.StartTime) return *a.StartTime < *b.StartTime;
    return a.File < b.File;
}

// Why a folder entry named like a measurement file is not read; nothing for a file
// (or a link to one), which is read.
std::optional<std::string> NotReadable(const fs::directory_entry& entry) {
    std::error_code error;
    const fs::file_status target = entry.status(error); // through links
    if (error) {
        std::error_code linkError;
        if (error == std::errc::no_such_file_or_directory && entry.is_symlink(linkError))
            return "a dangling link";
        return error.message(); // e.g. "Too many levels of symbolic links"
    }
    if (fs::is_regular_file(target)) return std::nullopt;
    if (fs::is_directory(target)) return "a folder";
    return "not a regular file";
}

} // namespace

SessionSummary SummariseSession(std::string file, std::span<const SeriesRecord> table,
                                const std::string& exercise, int32_t bestCount,
                                std::optional<double> threshold) {
    SessionSummary session;
    session.File = std::move(file);
    session.StartTime = EarliestStartTime(table);
    int32_t bestStep = -1;
    for (const SeriesRecord& s : table) {
        const int32_t reps = std::clamp<int32_t>(s.RepCount, 0, MaxRepetitions);
        session.Repetitions += reps;
        if (IsPlausibleMass(s.Mass)) session.VolumeKg += double(s.Mass) * reps;
        for (int32_t r = 0; r < reps; ++r)
            bestStep = std::max<int32_t>(bestStep, s.MeanVelocity[r]);
    }
    if (session.StartTime) session.Date = LocalDateText(*session.StartTime);
    if (bestStep >= 0) session.BestVelocity = bestStep * 2 / 100.0;

    const LoadVelocityProfile profile = BuildProfile(table, {exercise, bestCount, threshold});
    session.E1rm = profile.E1rm;
    if (profile.Fit) session.R2 = profile.Fit->R2;
    session.Quality = profile.Quality;
    session.Loads = static_cast<int32_t>(profile.Loads.size());
    return session;
}

Status ReadSessionFolder(
    const std::string& folder,
    const std::function<void(const std::string& name, const MeasurementScratch& file)>& read,
    std::vector<RefusedFile>& refused) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec) return Status::Fail(folder + ": " + ec.message());
    // Each entry named like a measurement file, with the reason when it cannot be read.
    std::vector<std::pair<std::string, std::optional<std::string>>> entries;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::string name = it->path().filename().string();
        if (IsMeasurementFileName(name)) entries.emplace_back(std::move(name), NotReadable(*it));
    }
    if (ec) return Status::Fail(folder + ": " + ec.message());
    std::sort(entries.begin(), entries.end());

    auto scratch = std::make_unique<MeasurementScratch>();
    for (const auto& [name, notReadable] : entries) {
        if (notReadable) {
            refused.push_back({name, *notReadable});
            continue;
        }
        const FileLoadError loadError =
            LoadMeasurementFile((fs::path(folder) / name).string(), *scratch);
        if (loadError != FileLoadError::None) {
            refused.push_back({name, FileLoadErrorText(loadError)});
            continue;
        }
        read(name, *scratch);
    }
    return Status::Ok();
}

Status BuildProgress(const ProgressRequest& request, ProgressReport& report) {
    // The athlete's own thresholds stand in for the exercise defaults, under the user's
    // option; a damaged thresholds file is refused rather than silently passed over.
    std::vector<AthleteThreshold> ownThresholds;
    if (Status read = ReadAthleteThresholds(request.Folder, ownThresholds); !read) return read;
    report = ProgressReport();
    std::map<std::string, ExerciseProgress> byExercise; // by ExerciseKey
    const std::optional<std::string> wanted =
        request.Exercise ? std::optional(ExerciseKey(*request.Exercise)) : std::nullopt;
    const Status listed = ReadSessionFolder(
        request.Folder,
        [&](const std::string& name, const MeasurementScratch& file) {
            ++report.FilesRead;
            const std::string& athlete = file.Header.Subject.SubjectName;
            if (!athlete.empty() && std::find(report.Athletes.begin(), report.Athletes.end(),
                                              athlete) == report.Athletes.end())
                report.Athletes.push_back(athlete);
            const std::string& exercise = file.Header.Exercise;
            std::string key = ExerciseKey(exercise);
            if (wanted && key != *wanted) return;
            ExerciseProgress& group = byExercise[std::move(key)];
            if (group.Sessions.empty()) group.Exercise = Trimmed(exercise);
            const std::optional<double> threshold =
                request.ThresholdValue ? request.ThresholdValue
                                       : FindAthleteThreshold(ownThresholds, exercise);
            group.Sessions.push_back(
                SummariseSession(name, file.Series, exercise, request.BestCount, threshold));
        },
        report.Refused);
    if (!listed) return listed;
    for (auto& [key, group] : byExercise) {
        std::stable_sort(group.Sessions.begin(), group.Sessions.end(), SessionBefore);
        report.Exercises.push_back(std::move(group));
    }
    return Status::Ok();
}

} // namespace krovel
