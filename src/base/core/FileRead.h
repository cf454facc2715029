// Reading a small file whole, with a bound on how much is taken.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace krovel {

struct FileHead {
    std::string bytes; // at most the limit asked for
    bool more = false; // the file holds bytes beyond the limit
};

enum class FileReadFailure {
    CannotOpen,     // missing, no permission, or a read error
    NotRegularFile, // a folder, pipe, device or socket: never read, so nothing can hang
};

// The first `limit` bytes of a regular file, or nothing when it cannot be opened or
// read or is not a regular file; `failure`, when given, then says which.
std::optional<FileHead> ReadFileHead(const std::string& path, size_t limit,
                                     FileReadFailure* failure = nullptr);

// True when something other than a folder at path can be opened for reading. A pipe
// or device counts, but opening never waits for a writer.
bool CanOpenForReading(const std::string& path);

} // namespace krovel
