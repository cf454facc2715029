#include "base/core/AtomicFile.h"

#include "base/core/Platform.h"

namespace krovel {

namespace {

bool Fail(std::string* cause, const std::string& text) {
    if (cause) *cause = text;
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* cause) {
    std::string why;
    const std::optional<std::string> target = platform::FollowLinks(path, why);
    if (!target) return Fail(cause, why);

    // A folder, pipe or device is not replaced by a file of measurements.
    const platform::PathKind kind = platform::KindOf(*target);
    if (kind != platform::PathKind::Missing && kind != platform::PathKind::RegularFile)
        return Fail(cause, "not a regular file");

    if (!platform::ReplaceFileContents(*target, bytes, why)) return Fail(cause, why);
    return true;
}

} // namespace krovel
