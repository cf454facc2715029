// One journal of everything a command asks the user and the subject registry, in the
// order it happens: messages ("notice: ..." / "question: ..."), file dialogs
// ("save dialog" / "open dialog") and the registry's two dialogs. Installed over the
// harness's scripted prompts and registry dialogs for the life of a test.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/ScriptedPrompts.h"
#include "support/ScriptedQuorlDialogs.h"

namespace krovel::testing {

using Journal = std::vector<std::string>;

class JournalPrompts : public ScriptedPrompts {
public:
    explicit JournalPrompts(Journal& journal) : journal_(journal) {}
    // When set, answers the save dialog from its request (e.g. a name in its folder).
    std::function<std::optional<std::string>(const FileDialogRequest&)> saveAnswer;

    Answer message(const std::string& text, MessageKind kind) override {
        journal_.push_back((kind == MessageKind::Notice ? "notice: " : "question: ") + text);
        return ScriptedPrompts::message(text, kind);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override {
        journal_.push_back("save dialog");
        if (saveAnswer) {
            saveRequests.push_back(r);
            return saveAnswer(r);
        }
        return ScriptedPrompts::saveFile(r);
    }
    std::optional<std::string> openFile(const FileDialogRequest& r) override {
        journal_.push_back("open dialog");
        return ScriptedPrompts::openFile(r);
    }

private:
    Journal& journal_;
};

class JournalQuorlDialogs : public ScriptedQuorlDialogs {
public:
    explicit JournalQuorlDialogs(Journal& journal) : journal_(journal) {}
    bool subjectDialog(quorl::SubjectRegistry& registry) override {
        journal_.push_back("subject dialog");
        return ScriptedQuorlDialogs::subjectDialog(registry);
    }
    int loadDialog(const quorl::SubjectRegistry& registry) override {
        journal_.push_back("load dialog");
        return ScriptedQuorlDialogs::loadDialog(registry);
    }

private:
    Journal& journal_;
};

} // namespace krovel::testing
