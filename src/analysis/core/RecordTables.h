// The athlete's record and readiness as tables of text, for the terminal and for CSV
// (numbers with a point, undefined values empty, CRLF line ends).
#pragma once

#include <string>
#include <vector>

#include "analysis/core/AnalysisTables.h"
#include "analysis/core/AthleteRecord.h"
#include "analysis/core/Readiness.h"

namespace krovel {

// "Quantity,Value" rows: the sessions, the line and its estimates, the warnings.
// noValue stands for an undefined number.
TextTable RecordSummary(const AthleteRecord& record, char decimalPoint, const char* noValue);
// Session, mass and velocity of each point.
TextTable RecordLoadTable(const AthleteRecord& record, char decimalPoint, const char* noValue);
std::string RecordCsv(const AthleteRecord& record);

// "Quantity,Value" rows: the reference, the mean difference, the band and the verdict.
TextTable ReadinessSummary(const Readiness& readiness, char decimalPoint, const char* noValue);
// Today's velocity at each load, the record's and the difference.
TextTable ReadinessLoadTable(const Readiness& readiness, char decimalPoint, const char* noValue);
std::string ReadinessCsv(const Readiness& readiness);

} // namespace krovel
