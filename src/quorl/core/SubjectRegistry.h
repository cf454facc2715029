// The registry's state and storage: one folder per subject under the registry folder,
// each holding its record file, plus the subject that is current. A folder without a
// record file is not a subject; one whose record is damaged is listed as damaged, since
// it may hold measurements, but cannot be chosen.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/core/DataModel.h"

namespace krovel::quorl {

struct Subject {
    std::string folderName; // the subject's id: its folder under the registry folder
    SubjectRecord record;   // a damaged record lists the folder name as the subject's name
    bool damaged = false;   // the record file is there but cannot be read
};

class SubjectRegistry {
public:
    // Starts over with a new registry folder; no subject is current afterwards.
    void init(std::string folder, std::string appId);
    const std::filesystem::path& folder() const { return folder_; }
    const std::string& appId() const { return appId_; }

    // Every subject folder with a record file, ordered by name ignoring case; the ones
    // whose record cannot be read are marked damaged.
    std::vector<Subject> list() const;
    std::optional<Subject> find(const std::string& folderName) const;

    // Stores a new subject in a fresh folder named after it; its folder name, or nothing
    // when the name is blank or the folder or record cannot be written. A folder name
    // that differs from an existing entry only in case is refused, since on a
    // case-insensitive file system (or a copy onto one) the two would be one folder;
    // `caseTwin` then names the existing entry.
    std::optional<std::string> add(const SubjectRecord& record, std::string* caseTwin = nullptr);
    // Rewrites a subject's record. The folder keeps its name so the measurements in it
    // stay where they are.
    bool update(const std::string& folderName, const SubjectRecord& record);

    bool select(const std::string& folderName); // false, current unchanged, when no subject
    void clearCurrent() { current_.reset(); }
    const Subject* current() const { return current_ ? &*current_ : nullptr; }

    // The subject the path belongs to becomes current, or none; see QuorlSelectByData.
    bool selectByPath(const std::string& path);
    // The unique subject with the record's name becomes current; see QuorlTakeSubject.
    bool selectByName(const std::string& name);

    // Folder of a subject (or of the registry for an empty name), with a trailing '/'.
    std::string folderText(const std::string& folderName) const;
    // The current subject's folder, created (with its record) when missing.
    std::string ensureCurrentFolder() const;

private:
    // An entry of the registry folder whose name differs from folderName only in case.
    std::optional<std::string> caseTwinOf(const std::string& folderName) const;
    std::filesystem::path recordFile(const std::string& folderName) const;

    std::filesystem::path folder_;
    std::string appId_;
    std::optional<Subject> current_;
};

} // namespace krovel::quorl
