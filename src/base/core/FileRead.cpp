#include "base/core/FileRead.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace krovel {

namespace {

// Opens without waiting: a named pipe with no writer would otherwise block the open.
int OpenWithoutWaiting(const std::string& path) {
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Up to `want` bytes appended to `out`; false on a read error. Fewer bytes mean the end.
bool ReadUpTo(int fd, size_t want, std::string& out) {
    char buffer[65536];
    while (want > 0) {
        const ssize_t n = read(fd, buffer, std::min(sizeof buffer, want));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        out.append(buffer, static_cast<size_t>(n));
        want -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::optional<FileHead> ReadFileHead(const std::string& path, size_t limit,
                                     FileReadFailure* failure) {
    auto fail = [failure](FileReadFailure why) -> std::optional<FileHead> {
        if (failure) *failure = why;
        return std::nullopt;
    };
    // Checked before opening too, so a device is never opened (opening some has effects).
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return fail(FileReadFailure::NotRegularFile);
    const FileDescriptor file(OpenWithoutWaiting(path));
    if (file.get() < 0) return fail(FileReadFailure::CannotOpen);
    if (fstat(file.get(), &info) != 0) return fail(FileReadFailure::CannotOpen);
    if (!S_ISREG(info.st_mode)) return fail(FileReadFailure::NotRegularFile);

    FileHead head;
    if (!ReadUpTo(file.get(), limit, head.bytes)) return fail(FileReadFailure::CannotOpen);
    if (head.bytes.size() == limit) {
        std::string next;
        if (!ReadUpTo(file.get(), 1, next)) return fail(FileReadFailure::CannotOpen);
        head.more = !next.empty();
    }
    return head;
}

bool CanOpenForReading(const std::string& path) {
    const FileDescriptor file(OpenWithoutWaiting(path));
    if (file.get() < 0) return false;
    struct stat info {};
    return fstat(file.get(), &info) == 0 && !S_ISDIR(info.st_mode);
}

} // namespace krovel
