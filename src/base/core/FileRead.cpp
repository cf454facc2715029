#include "base/core/FileRead.h"

#include "base/core/Platform.h"

namespace krovel {

using platform::PathKind;

std::optional<FileHead> ReadFileHead(const std::string& path, size_t limit,
                                     FileReadFailure* failure) {
    auto fail = [failure](FileReadFailure why) -> std::optional<FileHead> {
        if (failure) *failure = why;
        return std::nullopt;
    };
    // Checked before opening too, so a device is never opened (opening some has effects).
    const PathKind before = platform::KindOf(path);
    if (before != PathKind::Missing && before != PathKind::RegularFile)
        return fail(FileReadFailure::NotRegularFile);
    platform::ReadableFile file(path);
    if (!file.isOpen()) return fail(FileReadFailure::CannotOpen);
    const PathKind opened = file.kind();
    if (opened == PathKind::Missing) return fail(FileReadFailure::CannotOpen);
    if (opened != PathKind::RegularFile) return fail(FileReadFailure::NotRegularFile);

    FileHead head;
    if (!file.read(limit, head.bytes)) return fail(FileReadFailure::CannotOpen);
    if (head.bytes.size() == limit) {
        std::string next;
        if (!file.read(1, next)) return fail(FileReadFailure::CannotOpen);
        head.more = !next.empty();
    }
    return head;
}

bool CanOpenForReading(const std::string& path) {
    const platform::ReadableFile file(path);
    if (!file.isOpen()) return false;
    const PathKind kind = file.kind();
    return kind != PathKind::Missing && kind != PathKind::Folder;
}

} // namespace krovel
