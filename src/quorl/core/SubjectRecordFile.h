// The record file kept in every subject's folder: UTF-8 "key=value" lines, one field per
// line, with backslash escapes for line breaks, so it can be read and mended by hand.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "data/core/DataModel.h"

namespace krovel::quorl {

inline constexpr const char* SubjectRecordFileName = "subject.quorl";

std::string FormatSubjectRecord(const SubjectRecord& subject);

// Nothing when the text is not a sound record: no name, a line without '=',
// a number or sex that does not read, or an unknown escape. Unknown keys are ignored.
std::optional<SubjectRecord> ParseSubjectRecord(std::string_view text);

// Nothing when the file is missing, unreadable, not a regular file, oversized or damaged.
std::optional<SubjectRecord> ReadSubjectRecordFile(const std::filesystem::path& file);

// Replaces the file as the measurement files are replaced (a flushed temporary file
// renamed over it), so a failed write never leaves a half-written record behind.
bool WriteSubjectRecordFile(const std::filesystem::path& file, const SubjectRecord& subject);

} // namespace krovel::quorl
