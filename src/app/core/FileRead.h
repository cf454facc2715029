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

// The first `limit` bytes of the file, or nothing when it cannot be opened or read
// (missing, no permission, a folder).
std::optional<FileHead> ReadFileHead(const std::string& path, size_t limit);

// True when a file (not a folder) at path can be opened for reading.
bool CanOpenForReading(const std::string& path);

} // namespace krovel
