// The analyses as tables of text: the rows the analysis windows list, the command line
// prints, and both copy or export as CSV. Numbers are rounded for reading, with the
// decimal separator the caller passes (the user's in windows, a point in CSV).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/core/LoadPrescription.h"
#include "analysis/core/LoadVelocityProfile.h"
#include "analysis/core/SessionProgress.h"
#include "analysis/core/VelocityLoss.h"

namespace krovel {

struct TextTable {
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Rows;
};

// Mass, velocity and repetitions of each load.
TextTable ProfileLoadTable(const LoadVelocityProfile& profile, char decimalPoint);
// The line, its quality, the estimates and the threshold, one "name: value" per line,
// followed by the warnings.
std::vector<std::string> ProfileSummaryLines(const LoadVelocityProfile& profile, char decimalPoint);

TextTable VelocityLossTable(const std::vector<SeriesVelocityLoss>& losses, char decimalPoint);
// The "Stop at rep" column: each series' StopRepetitions entry, "-" where it never fired.
void AddStopColumn(TextTable& table, const std::vector<std::optional<int32_t>>& stops);

// One row per session, exercise by exercise.
TextTable ProgressTable(const ProgressReport& report, char decimalPoint);
// One row per exercise: its SummariseProgress.
TextTable ProgressSummaryTable(const ProgressReport& report, char decimalPoint);

// The loads table of a prescription: percent of the e1RM, load, predicted velocity.
TextTable PrescriptionTable(const std::vector<PrescribedLoad>& rows, char decimalPoint);

// RFC 4180: comma-separated, each cell a CsvField, CRLF line ends, a title row first.
std::string CsvText(const TextTable& table);
// Tab-separated with a title row, as spreadsheets take it from the clipboard.
std::string TabText(const TextTable& table);
// Columns padded to their widest cell, numbers right-aligned, for a terminal.
std::string AlignedText(const TextTable& table);

} // namespace krovel
