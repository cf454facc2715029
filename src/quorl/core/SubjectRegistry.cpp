#include "quorl/core/SubjectRegistry.h"

#include <algorithm>
#include <system_error>

#include "quorl/core/SubjectNames.h"
#include "quorl/core/SubjectRecordFile.h"

namespace krovel::quorl {

namespace fs = std::filesystem;

namespace {

constexpr int MaxSameNameFolders = 999;

// A subject id must name one folder directly under the registry folder.
bool IsPlainFolderName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

fs::path WithoutTrailingSeparator(fs::path path) {
    path = path.lexically_normal();
    if (!path.has_filename() && path.has_parent_path() && path != path.root_path())
        path = path.parent_path();
    return path;
}

} // namespace

void SubjectRegistry::init(std::string folder, std::string appId) {
    folder_ = folder.empty() ? fs::path() : WithoutTrailingSeparator(folder);
    appId_ = std::move(appId);
    current_.reset();
}

fs::path SubjectRegistry::recordFile(const std::string& folderName) const {
    return folder_ / folderName / SubjectRecordFileName;
}

std::vector<Subject> SubjectRegistry::list() const {
    std::vector<Subject> subjects;
    if (folder_.empty()) return subjects;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_directory(typeError)) continue;
        std::string name = it->path().filename().string();
        if (auto record = ReadSubjectRecordFile(recordFile(name))) {
            subjects.push_back({name, std::move(*record)});
        } else if (fs::symlink_status(recordFile(name), typeError).type() !=
                   fs::file_type::not_found) {
            SubjectRecord unknown;
            unknown.SubjectName = name;
            subjects.push_back({name, std::move(unknown), true});
        }
    }
    std::sort(subjects.begin(), subjects.end(), [](const Subject& a, const Subject& b) {
        auto ka = FoldCase(a.record.SubjectName), kb = FoldCase(b.record.SubjectName);
        return ka != kb ? ka < kb : a.folderName < b.folderName;
    });
    return subjects;
}

std::optional<Subject> SubjectRegistry::find(const std::string& folderName) const {
    if (folder_.empty() || !IsPlainFolderName(folderName)) return std::nullopt;
    auto record = ReadSubjectRecordFile(recordFile(folderName));
    if (!record) return std::nullopt;
    return Subject{folderName, std::move(*record)};
}

std::optional<std::string> SubjectRegistry::caseTwinOf(const std::string& folderName) const {
    std::error_code error;
    const std::string folded = FoldCase(folderName);
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (entry != folderName && FoldCase(entry) == folded) return entry;
    }
    return std::nullopt;
}

std::optional<std::string> SubjectRegistry::add(const SubjectRecord& record,
                                                std::string* caseTwin) {
    SubjectRecord stored = record;
    stored.SubjectName = TrimBlanks(record.SubjectName);
    if (folder_.empty() || stored.SubjectName.empty()) return std::nullopt;
    std::error_code error;
    fs::create_directories(folder_, error);
    std::string base = SubjectFolderName(stored.SubjectName);
    for (int n = 1; n <= MaxSameNameFolders; ++n) {
        std::string name = n == 1 ? base : base + " (" + std::to_string(n) + ")";
        if (auto twin = caseTwinOf(name)) {
            if (n > 1) continue; // a numbered name has more to choose from
            if (caseTwin) *caseTwin = *twin;
            return std::nullopt;
        }
        // Creating the folder claims the name; an existing one belongs to someone else.
        if (!fs::create_directory(folder_ / name, error)) {
            if (error) return std::nullopt;
            continue;
        }
        if (WriteSubjectRecordFile(recordFile(name), stored)) return name;
        fs::remove(folder_ / name, error);
        return std::nullopt;
    }
    return std::nullopt;
}

bool SubjectRegistry::update(const std::string& folderName, const SubjectRecord& record) {
    SubjectRecord stored = record;
    stored.SubjectName = TrimBlanks(record.SubjectName);
    if (stored.SubjectName.empty() || !find(folderName)) return false;
    if (!WriteSubjectRecordFile(recordFile(folderName), stored)) return false;
    if (current_ && current_->folderName == folderName) current_->record = stored;
    return true;
}

bool SubjectRegistry::select(const std::string& folderName) {
    auto subject = find(folderName);
    if (!subject) return false;
    current_ = std::move(subject);
    return true;
}

bool SubjectRegistry::selectByPath(const std::string& path) {
    current_.reset();
    if (folder_.empty() || path.empty()) return false;
    // A subject token joined to the registry folder with a backslash still names its folder.
    std::string text = path;
    std::string base = folder_.string();
    if (text.size() > base.size() && text.compare(0, base.size(), base) == 0 &&
        text[base.size()] == '\\')
        std::replace(text.begin() + static_cast<long>(base.size()), text.end(), '\\', '/');

    std::error_code targetError, rootError;
    fs::path target = fs::weakly_canonical(text, targetError);
    fs::path root = fs::weakly_canonical(folder_, rootError);
    if (targetError || rootError) return false;
    fs::path relative = WithoutTrailingSeparator(target).lexically_relative(root);
    if (relative.empty()) return false;
    std::string first = relative.begin()->string();
    if (first == "." || first == "..") return false;
    if (select(first)) return true;

    // A folder named on the command line in another case, where no folder of that exact
    // name exists: a file in an existing folder belongs to that folder and to no other.
    std::error_code existsError;
    if (fs::exists(folder_ / first, existsError)) return false;
    std::optional<Subject> match;
    for (auto& subject : list()) {
        if (subject.damaged || FoldCase(subject.folderName) != FoldCase(first)) continue;
        if (match) return false; // ambiguous: choose none rather than the wrong one
        match = std::move(subject);
    }
    current_ = std::move(match);
    return current_.has_value();
}

bool SubjectRegistry::selectByName(const std::string& name) {
    std::string wanted = FoldCase(TrimBlanks(name));
    if (wanted.empty()) return false;
    std::optional<Subject> match;
    for (auto& subject : list()) {
        if (subject.damaged || FoldCase(TrimBlanks(subject.record.SubjectName)) != wanted) continue;
        if (match) return false;
        match = std::move(subject);
    }
    if (!match) return false;
    current_ = std::move(match);
    return true;
}

std::string SubjectRegistry::folderText(const std::string& folderName) const {
    if (folder_.empty()) return {};
    fs::path folder = folderName.empty() ? folder_ : folder_ / folderName;
    std::string text = folder.string();
    if (!text.ends_with('/')) text += '/';
    return text;
}

std::string SubjectRegistry::ensureCurrentFolder() const {
    if (folder_.empty()) return {};
    std::error_code error;
    if (!current_) {
        fs::create_directories(folder_, error);
        return folderText({});
    }
    // The folder was removed behind our back: put it back with the record we know.
    if (!fs::exists(recordFile(current_->folderName), error)) {
        fs::create_directories(folder_ / current_->folderName, error);
        WriteSubjectRecordFile(recordFile(current_->folderName), current_->record);
    }
    return folderText(current_->folderName);
}

} // namespace krovel::quorl
