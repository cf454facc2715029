#include "base/core/AtomicFile.h"

#include <atomic>
#include <charconv>
#include <optional>
#include <string_view>

#include "base/core/Platform.h"

namespace krovel {

namespace {

std::atomic<FileWarningSink> warningSink{nullptr};
std::atomic<FolderFlushCall> folderFlush{&platform::FlushFolderOf};

#ifdef _WIN32
constexpr std::string_view Separators = "/\\";
#else
constexpr std::string_view Separators = "/";
#endif

void Warn(const std::string& text) {
    if (const FileWarningSink sink = warningSink.load()) sink(text);
}

// Reads a run of digits at the front of text into value and drops it from text.
bool TakeNumber(std::string_view& text, unsigned long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return false;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return true;
}

// The process id in a temporary file name of a save of targetName (platform's
// "<target>.<pid>.<n>.tmp"), or nothing when the name is not exactly of that form.
std::optional<unsigned long> WriterOfTemporary(std::string_view entry,
                                               std::string_view targetName) {
    if (!entry.starts_with(targetName)) return std::nullopt;
    entry.remove_prefix(targetName.size());
    unsigned long pid = 0, n = 0;
    if (!entry.starts_with('.')) return std::nullopt;
    entry.remove_prefix(1);
    if (!TakeNumber(entry, pid) || !entry.starts_with('.')) return std::nullopt;
    entry.remove_prefix(1);
    if (!TakeNumber(entry, n) || entry != ".tmp") return std::nullopt;
    return pid;
}

// A save that was killed leaves its temporary file behind; the next save of the same
// target removes those whose writer has ended. Another target's files and those of a
// save still running stay.
void RemoveStaleTemporaries(const std::string& target) {
    const size_t cut = target.find_last_of(Separators);
    const std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
    const std::string name = target.substr(folder.size());
    for (const std::string& entry : platform::FolderEntries(folder)) {
        const std::optional<unsigned long> writer = WriterOfTemporary(entry, name);
        if (writer && !platform::ProcessRuns(*writer)) platform::RemoveFile(folder + entry);
    }
}

} // namespace

void SetFileWarningSink(FileWarningSink sink) {
    warningSink = sink;
}

FolderFlushCall SetFolderFlushCall(FolderFlushCall call) {
    return folderFlush.exchange(call ? call : &platform::FlushFolderOf);
}

Status WriteFileAtomically(const std::string& path, const std::string& bytes) {
    std::string target;
    if (Status followed = platform::FollowLinks(path, target); !followed) return followed;

    // A folder, pipe or device is not replaced by a file of measurements.
    const platform::PathKind kind = platform::KindOf(target);
    if (kind != platform::PathKind::Missing && kind != platform::PathKind::RegularFile)
        return Status::Fail("not a regular file");

    RemoveStaleTemporaries(target);
    if (Status replaced = platform::ReplaceFileContents(target, bytes); !replaced) return replaced;
    // The new file is in place and complete: the save has succeeded. Without the flush
    // only the new name is less sure to survive a power cut.
    if (const Status flushed = folderFlush.load()(target); !flushed)
        Warn(target + " written, but its folder could not be flushed: " + flushed.message());
    return Status::Ok();
}

} // namespace krovel
