// The measurement file (".krvx"): the subject fields of the TestHeader and the whole
// SeriesTable. Version 1.2 is written; versions 1.1 and 1.2 are read.
//
// Loading is all or nothing: a file is decoded into a MeasurementScratch first and
// only a complete, valid one is committed to the process-wide model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "data/core/DataModel.h"

namespace krovel {

inline constexpr const char* MeasurementMagicV11 = "Marvolen_KrovelDevice_V1.1";
inline constexpr const char* MeasurementMagicV12 = "Marvolen_KrovelDevice_V1.2";

// A full table of 1000 series with 100 repetitions takes about 620 KB; anything far
// beyond that is not a measurement file. Files larger than this are refused, and the
// writer refuses to produce one.
inline constexpr size_t MaxMeasurementFileSize = 64u << 20;

enum class MeasurementFileVersion { V11, V12 };

// "1.1" or "1.2".
const char* VersionText(MeasurementFileVersion version);

// A decoded file, not yet in the model. Of the header only the fields the file stores
// are filled: SubjectName, Sex, Height, BodyWeight, Comment, Exercise and Sport.
struct MeasurementScratch {
    MeasurementFileVersion Version = MeasurementFileVersion::V12;
    TestHeaderRecord Header;
    std::vector<SeriesRecord> Series; // the file's series blocks; elements beyond RepCount are 0
};

enum class FileLoadError { None, CannotOpen, Incompatible };

// The message the program shows for a load error: "Error opening file" or
// "Incompatible data" (empty for None).
const char* FileLoadErrorText(FileLoadError error);

// The version 1.2 bytes of a header and table.
std::string EncodeMeasurementFile(const TestHeaderRecord& header,
                                  std::span<const SeriesRecord> series);
// The version 1.2 bytes of the process-wide TestHeader and Series[0..SeriesCount-1].
std::string EncodeMeasurementFile();

// Decodes a whole file. Incompatible when the magic is unknown, the bytes end early,
// a string is longer than the limit, or the file holds more than 1000 series, more than
// 100 repetitions in a series, or a negative count. Bytes after the last block are
// ignored. `out` is overwritten.
FileLoadError DecodeMeasurementFile(const uint8_t* data, size_t size, MeasurementScratch& out);

// Reads the file at path and decodes it, without touching the model or prompting.
FileLoadError LoadMeasurementFile(const std::string& path, MeasurementScratch& out);

// Puts a decoded file into the model: the stored header fields, the first
// out.Series.size() entries (fields and the first RepCount array elements; the rest of
// each entry keeps what it held) and SeriesCount; then the working thresholds and barbell
// weight take those of the last series (entry 0 when there is none).
void CommitMeasurementScratch(const MeasurementScratch& scratch);

// Saves the model to path. An existing file is replaced only after the question
// "OverWrite file: <path>" is answered Yes; the new file is written beside it and renamed
// over it, so a failure ("File Save Error") leaves the old one intact. Sets DataSaved.
bool WriteMeasurementFile(const std::string& path);

// Loads path into the model, or shows "Error opening file" / "Incompatible data" and
// changes nothing. On success DataSaved and DataPresent are 1.
bool ReadMeasurementFile(const std::string& path);

} // namespace krovel
