// The platform calls on Linux and other POSIX systems.
#ifndef _WIN32

#include "base/core/Platform.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace krovel::platform {

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

PathKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return PathKind::RegularFile;
    if (S_ISDIR(mode)) return PathKind::Folder;
    return PathKind::Other;
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

} // namespace

bool LocalTime(std::time_t t, std::tm& out) {
    return localtime_r(&t, &out) != nullptr;
}

PathKind KindOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return PathKind::Missing;
    return KindOfMode(info.st_mode);
}

Status FollowLinks(const std::string& start, std::string& target) {
    std::string path = start;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = path;
            return Status::Ok();
        }
        char buffer[PATH_MAX];
        const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
        if (n < 0) return Status::Fail(std::strerror(errno));
        if (n == static_cast<ssize_t>(sizeof buffer))
            return Status::Fail(std::strerror(ENAMETOOLONG));
        std::string link(buffer, static_cast<size_t>(n));
        // A relative link is read from the link's own folder.
        path = link.starts_with('/') ? link : FolderOf(path) + link;
    }
    return Status::Fail(std::strerror(ELOOP));
}

Status ReplaceFileContents(const std::string& target, const std::string& bytes) {
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;

    std::string tempPath;
    int fd = CreateExclusive(target, tempPath);
    if (fd < 0) return Status::Fail(std::strerror(errno));
    if (exists) fchmod(fd, old.st_mode & 07777);

    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlink(tempPath.c_str());
        return Status::Fail(std::strerror(error));
    }
    return Status::Ok();
}

// File systems that cannot flush a folder say EINVAL: they have nothing more to write.
Status FlushFolderOf(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Status::Fail(std::strerror(errno));
    const bool ok = fsync(fd) == 0 || errno == EINVAL;
    const Status status = ok ? Status::Ok() : Status::Fail(std::strerror(errno));
    close(fd);
    return status;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    return names;
}

bool ProcessRuns(unsigned long pid) {
    // 0 and ids past pid_t's range name no single process.
    if (pid == 0 || pid > static_cast<unsigned long>(INT_MAX)) return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

// Opened without waiting: a named pipe with no writer would otherwise block the open.
ReadableFile::ReadableFile(const std::string& path)
    : handle_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}

ReadableFile::~ReadableFile() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool ReadableFile::isOpen() const {
    return handle_ >= 0;
}

PathKind ReadableFile::kind() const {
    struct stat info {};
    if (fstat(static_cast<int>(handle_), &info) != 0) return PathKind::Missing;
    return KindOfMode(info.st_mode);
}

bool ReadableFile::read(size_t want, std::string& out) {
    char buffer[65536];
    while (want > 0) {
        const ssize_t n = ::read(static_cast<int>(handle_), buffer, std::min(sizeof buffer, want));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        out.append(buffer, static_cast<size_t>(n));
        want -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace krovel::platform

#endif // _WIN32
