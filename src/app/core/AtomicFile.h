// Replacing a file so that a failure never destroys the old one.
#pragma once

#include <string>

namespace krovel {

// Writes the bytes to a temporary file in the target's folder, flushes it to disk and
// renames it over the target. On any failure (folder not writable, disk full, target
// is a folder) the temporary file is removed, the old target is left untouched and the
// result is false. A target that exists keeps its permission bits.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

} // namespace krovel
