// JSON text of a measurement table, shared by the subcommands that print one
// (a measurement file, a decoded device stream):
//   {"version": "...", "subject": {"name", "sex", "height", "body_weight", "exercise",
//    "sport", "comment"}, "series": [{"rep_count", "mass", "signal_below", "signal_above",
//    "start_time", "reps": [{"mean_velocity_raw", "max_velocity_raw", "max_power"}]}]}
// Floats are written in their shortest round-trip form with a decimal point, whatever
// the locale; non-finite ones as null. Strings are UTF-8, JSON-escaped; a byte that is
// not part of UTF-8 is written as U+FFFD, so the output is JSON whatever the text holds.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "data/core/DataModel.h"
#include "data/core/JsonText.h"

namespace krovel::cli {

std::string TableJson(std::string_view version, const TestHeaderRecord& header,
                      std::span<const SeriesRecord> series);

// Pieces of the same JSON text for other subcommands; a string is written by
// AppendJsonString (data/core/JsonText.h).
// A file name: "file": its text as AppendJsonString writes it and, when that is not the
// name itself (bytes that are not UTF-8), "file_bytes": the name's exact bytes in hex.
void AppendFileName(std::string& out, std::string_view name);
// A float32 or a double in its shortest round-trip form (null when not finite).
void AppendFloat(std::string& out, float value);
void AppendDouble(std::string& out, double value);

// An array of `count` objects, one a line at the second level of indentation:
// "[\n    {...},\n    {...}\n  ]", or "[]" when empty; `members` writes the members of
// object i between its braces.
template <class Members> void AppendObjectLines(std::string& out, size_t count, Members members) {
    out += "[";
    for (size_t i = 0; i < count; ++i) {
        out += i ? ",\n    {" : "\n    {";
        members(i);
        out += "}";
    }
    out += count ? "\n  ]" : "]";
}

} // namespace krovel::cli
