#include "quorl/gui/Quorl.h"

#include "quorl/gui/QuorlDialogs.h"

namespace krovel {

using quorl::TheSubjectRegistry;

void QuorlInit(std::string folder, std::string appId) {
    TheSubjectRegistry().init(std::move(folder), std::move(appId));
}

void QuorlSelectByData(std::string path) {
    TheSubjectRegistry().selectByPath(path);
}

bool QuorlIsValid() {
    return TheSubjectRegistry().current() != nullptr;
}

bool QuorlSubjectDialog() {
    auto& registry = TheSubjectRegistry();
    return quorl::CurrentQuorlDialogs().subjectDialog(registry) && registry.current();
}

void QuorlFillSubject(SubjectRecord& subject) {
    if (const auto* current = TheSubjectRegistry().current()) subject = current->record;
}

void QuorlTakeSubject(const SubjectRecord& subject) {
    TheSubjectRegistry().selectByName(subject.SubjectName);
}

void QuorlDataFolder(int32_t /*time*/, std::string& folder) {
    folder = TheSubjectRegistry().ensureCurrentFolder();
}

int QuorlLoadDialog() {
    int code = quorl::CurrentQuorlDialogs().loadDialog(TheSubjectRegistry());
    // The subject folder means nothing without a subject: open from the DATA folder instead.
    if (code == QuorlOpenFromSubjectFolder && !QuorlIsValid()) return QuorlOpenFromDataFolder;
    return code;
}

void QuorlSubjectFolder(std::string& folder) {
    const auto* current = TheSubjectRegistry().current();
    folder = current ? TheSubjectRegistry().folderText(current->folderName) : std::string();
}

} // namespace krovel
