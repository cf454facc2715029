#include "base/core/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace krovel {

namespace {

constexpr int MaxLinkHops = 40; // as the kernel allows when it resolves a path

// A temporary name beside the target, unique within this process; O_EXCL guards
// against other processes.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + "." + std::to_string(getpid()) + "." + std::to_string(counter++) + ".tmp";
}

// The folder part of a path with its trailing '/', or "" for a bare name.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a chain of symbolic links ends at (the path itself when it is no link), so
// the new content replaces the file the link points to instead of the link. A relative
// link is read from the link's own folder. Nothing, with errno set, when the chain
// loops or a link cannot be read.
std::optional<std::string> FinalTarget(std::string path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        char buffer[PATH_MAX];
        const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
        if (n < 0) return std::nullopt;
        if (n == static_cast<ssize_t>(sizeof buffer)) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        std::string link(buffer, static_cast<size_t>(n));
        path = link.starts_with('/') ? link : FolderOf(path) + link;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

int CreateExclusive(const std::string& path, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TemporaryNameFor(path);
        int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Flushes the folder's entries, so a rename in it is on disk. File systems that cannot
// flush a folder say EINVAL: they have nothing more to write.
bool SyncFolder(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = fsync(fd) == 0 || errno == EINVAL;
    const int saved = errno;
    close(fd);
    errno = saved;
    return ok;
}

bool Fail(std::string* cause, const char* text) {
    if (cause) *cause = text;
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* cause) {
    const std::optional<std::string> target = FinalTarget(path);
    if (!target) return Fail(cause, std::strerror(errno));

    struct stat old {};
    const bool exists = stat(target->c_str(), &old) == 0;
    // A folder, pipe or device is not replaced by a file of measurements.
    if (exists && !S_ISREG(old.st_mode)) return Fail(cause, "not a regular file");

    std::string tempPath;
    int fd = CreateExclusive(*target, tempPath);
    if (fd < 0) return Fail(cause, std::strerror(errno));
    if (exists) fchmod(fd, old.st_mode & 07777);

    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(tempPath.c_str(), target->c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlink(tempPath.c_str());
        return Fail(cause, std::strerror(error));
    }
    if (!SyncFolder(FolderOf(*target))) return Fail(cause, std::strerror(errno));
    return true;
}

} // namespace krovel
