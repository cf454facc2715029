#include "app/core/FileRead.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace krovel {

std::optional<FileHead> ReadFileHead(const std::string& path, size_t limit) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    FileHead head;
    char buffer[65536];
    while (head.bytes.size() < limit) {
        size_t want = std::min(sizeof buffer, limit - head.bytes.size());
        size_t got = std::fread(buffer, 1, want, file.get());
        head.bytes.append(buffer, got);
        if (got < want) break;
    }
    if (std::ferror(file.get())) return std::nullopt;
    head.more = head.bytes.size() == limit && std::fgetc(file.get()) != EOF;
    if (std::ferror(file.get())) return std::nullopt;
    return head;
}

bool CanOpenForReading(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool isFile = fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    close(fd);
    return isFile;
}

} // namespace krovel
