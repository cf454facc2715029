// Replacing a file so that a failure never destroys the old one.
#pragma once

#include <string>

#include "base/core/Status.h"

namespace krovel {

// Writes the bytes to a temporary file in the target's folder, flushes it to disk,
// renames it over the target and flushes the folder, so the new name survives a power
// cut. A symbolic link is followed: the file it points to is replaced and the link
// stays a link. On any failure (folder not writable, disk full, a target that is a
// folder, pipe or device) the temporary file is removed, the old target is left
// untouched and the status says why. A target that exists keeps its permission bits.
//
// Once the rename has succeeded the file is saved: a folder that cannot be flushed
// afterwards (one the user may write but not read) goes to the file warning sink, not
// into the result. Before writing, temporary files that earlier saves of the same
// target left behind are removed when the process that wrote them no longer runs.
Status WriteFileAtomically(const std::string& path, const std::string& bytes);

// Where warnings about files that were written all the same go; nullptr drops them
// (the default). The program sends them to its file log.
using FileWarningSink = void (*)(const std::string& text);
void SetFileWarningSink(FileWarningSink sink);

// The call that flushes the target's folder after the rename (platform::FlushFolderOf);
// tests put one in its place that fails. Returns the one it replaces.
using FolderFlushCall = Status (*)(const std::string& path);
FolderFlushCall SetFolderFlushCall(FolderFlushCall call);

} // namespace krovel
