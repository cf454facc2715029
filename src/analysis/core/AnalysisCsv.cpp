#include "analysis/core/AnalysisCsv.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "analysis/core/AnalysisTables.h"
#include "data/core/CsvField.h"

namespace krovel {

namespace {

std::string SubjectLines(const AnalysisSubject& subject) {
    return CsvRow({"Athlete", subject.Athlete}) + CsvRow({"Date", subject.Date}) +
           CsvRow({"File", subject.File}) + "\r\n";
}

} // namespace

std::string ProfileCsv(const AnalysisSubject& subject, const LoadVelocityProfile& p) {
    TextTable summary{{"Quantity", "Value"}, {}};
    auto add = [&](const char* name, const std::optional<double>& v, int decimals,
                   int significant = 0) {
        summary.Rows.push_back({name, v ? PointText(*v, decimals, significant) : ""});
    };
    summary.Rows.push_back({"Exercise", p.Exercise});
    add("MVT (m/s)", p.Threshold.Value, 2);
    summary.Rows.push_back({"MVT source", ThresholdSourceText(p.Threshold.Source)});
    summary.Rows.push_back({"Best repetitions per load", std::to_string(p.BestCount)});
    add("Intercept (m/s)", p.Fit ? std::optional(p.Fit->Intercept) : std::nullopt, 4);
    add("Slope (m/s per kg)", p.Fit ? std::optional(p.Fit->Slope) : std::nullopt, 6, SlopeDigits);
    add("r2", p.Fit ? p.Fit->R2 : std::nullopt, 4);
    add("Standard error (m/s)", p.Fit ? p.Fit->StandardError : std::nullopt, 4);
    add("e1RM (kg)", p.E1rm, 1);
    add("V0 (m/s)", p.V0, 3);
    add("L0 (kg)", p.L0, 1);
    summary.Rows.push_back({"Quality", ProfileQualityText(p.Quality)});
    for (const std::string& w : p.Warnings) summary.Rows.push_back({"Warning", w});
    return SubjectLines(subject) + CsvText(summary) + "\r\n" + CsvText(ProfileLoadTable(p, '.'));
}

std::string VelocityLossCsv(const AnalysisSubject& subject,
                            const std::vector<SeriesVelocityLoss>& losses,
                            const std::vector<std::optional<int32_t>>* stops) {
    TextTable table = VelocityLossTable(losses, '.');
    if (stops) AddStopColumn(table, *stops);
    return SubjectLines(subject) + CsvText(table);
}

std::string ProgressCsv(const std::string& folderName, const ProgressReport& report) {
    std::string athletes;
    for (const std::string& name : report.Athletes)
        athletes += (athletes.empty() ? "" : "; ") + name;
    std::string out = CsvRow({"Athlete", athletes}) + CsvRow({"Folder", folderName}) +
                      CsvRow({"Files read", std::to_string(report.FilesRead)});
    for (const RefusedFile& r : report.Refused) out += CsvRow({"Refused", r.File, r.Reason});
    return out + "\r\n" + CsvText(ProgressTable(report, '.')) + "\r\n" +
           CsvText(ProgressSummaryTable(report, '.'));
}

std::string FolderName(const std::string& folder) {
    namespace fs = std::filesystem;
    if (folder.empty()) return {};
    std::error_code error;
    fs::path path = fs::absolute(fs::path(folder), error);
    if (error) path = fs::path(folder);
    path = path.lexically_normal();
    if (!path.has_filename()) path = path.parent_path();
    return path.filename().string();
}

} // namespace krovel
