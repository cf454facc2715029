#include "analysis/core/SessionProgress.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>

#include "base/core/Platform.h"
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

bool IsMeasurementFileName(const std::string& name) {
    constexpr std::string_view extension = ".krvx";
    return name.size() > extension.size() &&
           EqualIgnoringCase(std::string_view(name).substr(name.size() - extension.size()),
                             extension);
}

std::string LocalDate(int32_t time) {
    const std::time_t t = time;
    std::tm local{};
    char text[16];
    if (!platform::LocalTime(t, local) || !std::strftime(text, sizeof text, "%Y-%m-%d", &local))
        return {};
    return text;
}

// Sessions in time order; undated ones after the dated, each group by file name.
bool SessionBefore(const SessionSummary& a, const SessionSummary& b) {
    if (a.StartTime.has_value() != b.StartTime.has_value()) return a.StartTime.has_value();
    if (a.StartTime && *a.StartTime != *b.StartTime) return *a.StartTime < *b.StartTime;
    return a.File < b.File;
}

} // namespace

SessionSummary SummariseSession(std::string file, std::span<const SeriesRecord> table,
                                const std::string& exercise, int32_t bestCount) {
    SessionSummary session;
    session.File = std::move(file);
    int32_t bestStep = -1;
    for (const SeriesRecord& s : table) {
        if (s.StartTime != 0 && (!session.StartTime || s.StartTime < *session.StartTime)) {
            session.StartTime = s.StartTime;
        }
        const int32_t reps = std::clamp<int32_t>(s.RepCount, 0, MaxRepetitions);
        session.Repetitions += reps;
        if (IsPlausibleMass(s.Mass)) session.VolumeKg += double(s.Mass) * reps;
        for (int32_t r = 0; r < reps; ++r)
            bestStep = std::max<int32_t>(bestStep, s.MeanVelocity[r]);
    }
    if (session.StartTime) session.Date = LocalDate(*session.StartTime);
    if (bestStep >= 0) session.BestVelocity = bestStep * 2 / 100.0;

    const LoadVelocityProfile profile = BuildProfile(table, {exercise, bestCount, std::nullopt});
    session.E1rm = profile.E1rm;
    if (profile.Fit) session.R2 = profile.Fit->R2;
    session.Quality = profile.Quality;
    session.Loads = static_cast<int32_t>(profile.Loads.size());
    return session;
}

std::optional<ProgressReport> BuildProgress(const ProgressRequest& request, std::string& error) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(request.Folder), ec);
    if (ec) {
        error = request.Folder + ": " + ec.message();
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (IsMeasurementFileName(name)) names.push_back(std::move(name));
    }
    if (ec) {
        error = request.Folder + ": " + ec.message();
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());

    ProgressReport report;
    std::map<std::string, std::vector<SessionSummary>> byExercise;
    auto scratch = std::make_unique<MeasurementScratch>();
    for (const std::string& name : names) {
        const FileLoadError loadError =
            LoadMeasurementFile((fs::path(request.Folder) / name).string(), *scratch);
        if (loadError != FileLoadError::None) {
            report.Refused.push_back({name, FileLoadErrorText(loadError)});
            continue;
        }
        ++report.FilesRead;
        const std::string& exercise = scratch->Header.Exercise;
        if (request.Exercise && !EqualIgnoringCase(exercise, *request.Exercise)) continue;
        byExercise[exercise].push_back(
            SummariseSession(name, scratch->Series, exercise, request.BestCount));
    }
    for (auto& [exercise, sessions] : byExercise) {
        std::stable_sort(sessions.begin(), sessions.end(), SessionBefore);
        report.Exercises.push_back({exercise, std::move(sessions)});
    }
    return report;
}

} // namespace krovel
