// Prompts for tests: records every message and dialog, answers from queues.
// Install it for the lifetime of a test; it uninstalls itself on destruction.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/core/Prompts.h"

namespace krovel::testing {

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        std::string text;
        MessageKind kind;
    };
    std::vector<Shown> messages;
    std::vector<FileDialogRequest> saveRequests, openRequests;
    std::deque<Answer> answers;                          // for questions; empty: No
    std::deque<size_t> choices;                          // for choose(); empty: the last button
    std::vector<std::vector<std::string>> choiceButtons; // the buttons of each choose()
    std::deque<std::optional<std::string>> saves;        // empty: cancel
    std::deque<std::optional<std::string>> opens;        // empty: cancel
    std::vector<std::string> statusTexts;

    ScriptedPrompts() { InstallPrompts(this); }
    ~ScriptedPrompts() override { InstallPrompts(nullptr); }

    Answer message(const std::string& text, MessageKind kind) override {
        messages.push_back({text, kind});
        if (kind == MessageKind::Notice) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    // Recorded among the messages as a question.
    size_t choose(const std::string& text, const std::vector<std::string>& buttons) override {
        messages.push_back({text, MessageKind::Question});
        choiceButtons.push_back(buttons);
        if (choices.empty()) return buttons.empty() ? 0 : buttons.size() - 1;
        const size_t chosen = choices.front();
        choices.pop_front();
        return chosen;
    }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override {
        saveRequests.push_back(r);
        return take(saves);
    }
    std::optional<std::string> openFile(const FileDialogRequest& r) override {
        openRequests.push_back(r);
        return take(opens);
    }

    void statusText(const std::string& text) override { statusTexts.push_back(text); }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

} // namespace krovel::testing
