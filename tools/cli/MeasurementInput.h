// The measurement file a subcommand works on, read as the program reads it.
#pragma once

#include <optional>
#include <string>

#include "data/core/MeasurementFile.h"

namespace krovel::cli {

// Reads path into scratch. When it cannot, prints "COMMAND: PATH: reason" (the
// system's reason for a file that cannot be read, the program's message for one it
// refuses) and returns the exit status.
std::optional<int> LoadMeasurementArgument(const std::string& command, const std::string& path,
                                           MeasurementScratch& scratch);

} // namespace krovel::cli
