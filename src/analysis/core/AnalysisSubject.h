// Whose data an analysis shows: the athlete, the day of the session and the file it came
// from. Exports and printed pages carry them beside the table, which shows none of them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "data/core/DataModel.h"

namespace krovel {

struct AnalysisSubject {
    std::string Athlete; // the TestHeader's subject name
    std::string Date;    // the session's local date, "YYYY-MM-DD"; empty when undated
    std::string File;    // the file's name, empty when the table was never saved or loaded
};

// The earliest non-zero series start of a table; none when no series has one.
std::optional<int32_t> EarliestStartTime(std::span<const SeriesRecord> table);
// A time as its local date, "YYYY-MM-DD"; empty when the system cannot convert it.
std::string LocalDateText(int32_t time);
// The date of the table's session: LocalDateText of its earliest start, empty when none.
std::string SessionDate(std::span<const SeriesRecord> table);

AnalysisSubject SubjectOf(const TestHeaderRecord& header, std::span<const SeriesRecord> table,
                          std::string file);

// The program's own table: its header's subject, its complete series and the document's
// name (FileName: no folder, no extension).
AnalysisSubject CurrentAnalysisSubject();

} // namespace krovel
