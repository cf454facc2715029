// The few operating-system calls the core needs, behind one plain C++ interface:
// PlatformPosix.cpp implements it for Linux and other POSIX systems,
// PlatformWindows.cpp with Win32 and the C runtime. Paths are UTF-8 on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "base/core/Status.h"

namespace krovel::platform {

// The local calendar time of t; false when the system cannot convert it.
bool LocalTime(std::time_t t, std::tm& out);

enum class PathKind {
    Missing, // nothing there, or it cannot be looked at
    RegularFile,
    Folder,
    Other, // a pipe, device or socket
};

// What a path names, following symbolic links.
PathKind KindOf(const std::string& path);

// The file a chain of symbolic links ends at (the path itself when it is no link),
// so that a replacement writes the file the link points to and the link stays a
// link. Fails, with `target` untouched, when the chain loops or a link cannot be read.
Status FollowLinks(const std::string& path, std::string& target);

// Writes the bytes to a new temporary file beside `target`, named
// "<target>.<process id>.<n>.tmp", flushes it to disk and moves it over `target` in one
// step. An existing target keeps its permissions. On failure the temporary file is
// removed, `target` is left as it was, and the status says why.
Status ReplaceFileContents(const std::string& target, const std::string& bytes);

// Flushes the entries of the folder that holds `path`, so that a rename in it survives
// a power cut. Fails when the folder cannot be opened or flushed (a folder the user may
// write but not read). Windows moves a file with write-through and has nothing to
// flush here.
Status FlushFolderOf(const std::string& path);

// The names in a folder ("" for the current one), without "." and ".."; none when it
// cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder);

// Whether a process with this id runs. One that runs but may not be looked at counts
// as running.
bool ProcessRuns(unsigned long pid);

// Removes a file; false when it is not removed.
bool RemoveFile(const std::string& path);

// A file open for reading, closed when this goes. Opening never waits, even for a
// named pipe that has no writer yet.
class ReadableFile {
public:
    explicit ReadableFile(const std::string& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    bool isOpen() const;
    // What the open file is (PathKind::Missing when that cannot be told).
    PathKind kind() const;
    // Up to `want` bytes appended to `out`; false on a read error. Fewer bytes mean
    // the end of the file.
    bool read(size_t want, std::string& out);

private:
    std::intptr_t handle_;
};

} // namespace krovel::platform
