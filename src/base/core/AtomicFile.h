// Replacing a file so that a failure never destroys the old one.
#pragma once

#include <string>

namespace krovel {

// Writes the bytes to a temporary file in the target's folder, flushes it to disk,
// renames it over the target and flushes the folder, so the new name survives a power
// cut. A symbolic link is followed: the file it points to is replaced and the link
// stays a link. On any failure (folder not writable, disk full, a target that is a
// folder, pipe or device) the temporary file is removed, the old target is left
// untouched and the result is false; `cause`, when given, then says why. A target that
// exists keeps its permission bits.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* cause = nullptr);

} // namespace krovel
