// The CSV files of the analyses, the same bytes from a window's Export CSV and from
// `krovel-cli ... --format csv`: first whose data it is (athlete, session date, file;
// for progress the folder and the files not read), an empty line, then what the window
// shows. Numbers with a point, undefined values empty, CRLF line ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/core/AnalysisSubject.h"
#include "analysis/core/LoadVelocityProfile.h"
#include "analysis/core/SessionProgress.h"
#include "analysis/core/VelocityLoss.h"

namespace krovel {

// The subject rows, the summary as "Quantity,Value" rows, an empty line, then the loads.
std::string ProfileCsv(const AnalysisSubject& subject, const LoadVelocityProfile& profile);

// With `stops` (the StopRepetitions of the losses), a "Stop at rep" column too.
std::string VelocityLossCsv(const AnalysisSubject& subject,
                            const std::vector<SeriesVelocityLoss>& losses,
                            const std::vector<std::optional<int32_t>>* stops = nullptr);

// The sessions table, an empty line, then the summary of each exercise.
// folderName: the folder's own name, without the folders above it.
std::string ProgressCsv(const std::string& folderName, const ProgressReport& report);

// The last name of a folder path, "." and trailing separators resolved ("data/ann/" and
// "/home/x/data/ann" give "ann"); empty for an empty path.
std::string FolderName(const std::string& folder);

} // namespace krovel
