// The subject registry's dialogs for tests: answers from queues, counts the calls.
// Install it for the lifetime of a test; it uninstalls itself on destruction.
#pragma once

#include <deque>
#include <optional>

#include "quorl/gui/Quorl.h"
#include "quorl/gui/QuorlDialogs.h"

namespace krovel::testing {

class ScriptedQuorlDialogs : public quorl::QuorlDialogs {
public:
    // The subject dialog chooses the registered subject with this record's name, adding
    // the record first when there is none. Nothing queued or nullopt: the user cancels.
    std::deque<std::optional<SubjectRecord>> subjects;
    std::deque<int> loadAnswers; // empty: QuorlOpenCancelled
    int subjectDialogCalls = 0;
    int loadDialogCalls = 0;

    ScriptedQuorlDialogs() { quorl::InstallQuorlDialogs(this); }
    ~ScriptedQuorlDialogs() override { quorl::InstallQuorlDialogs(nullptr); }

    bool subjectDialog(quorl::SubjectRegistry& registry) override {
        ++subjectDialogCalls;
        if (subjects.empty()) return false;
        std::optional<SubjectRecord> wanted = subjects.front();
        subjects.pop_front();
        if (!wanted) return false;
        for (const auto& subject : registry.list())
            if (subject.record.SubjectName == wanted->SubjectName)
                return registry.select(subject.folderName);
        auto folder = registry.add(*wanted);
        return folder && registry.select(*folder);
    }

    int loadDialog(const quorl::SubjectRegistry&) override {
        ++loadDialogCalls;
        if (loadAnswers.empty()) return QuorlOpenCancelled;
        int answer = loadAnswers.front();
        loadAnswers.pop_front();
        return answer;
    }
};

} // namespace krovel::testing
