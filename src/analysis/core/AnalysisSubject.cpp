#include "analysis/core/AnalysisSubject.h"

#include <ctime>

#include "analysis/core/TableSnapshot.h"
#include "base/core/Platform.h"

namespace krovel {

std::optional<int32_t> EarliestStartTime(std::span<const SeriesRecord> table) {
    std::optional<int32_t> earliest;
    for (const SeriesRecord& s : table) {
        if (s.StartTime != 0 && (!earliest || s.StartTime < *earliest)) earliest = s.StartTime;
    }
    return earliest;
}

std::string LocalDateText(int32_t time) {
    const std::time_t t = time;
    std::tm local{};
    char text[16];
    if (!platform::LocalTime(t, local) || !std::strftime(text, sizeof text, "%Y-%m-%d", &local))
        return {};
    return text;
}

std::string SessionDate(std::span<const SeriesRecord> table) {
    const std::optional<int32_t> start = EarliestStartTime(table);
    return start ? LocalDateText(*start) : std::string();
}

AnalysisSubject SubjectOf(const TestHeaderRecord& header, std::span<const SeriesRecord> table,
                          std::string file) {
    return {header.Subject.SubjectName, SessionDate(table), std::move(file)};
}

AnalysisSubject CurrentAnalysisSubject() {
    const int32_t count = CompleteSeriesCount();
    return SubjectOf(TestHeader, std::span<const SeriesRecord>(Series, size_t(count)), FileName);
}

} // namespace krovel
