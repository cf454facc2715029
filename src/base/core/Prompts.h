// The one way the program talks to the user: a modal box, a file dialog, or the status
// bar's prompt text.
// The Qt implementation shows QMessageBox/QFileDialog; tests install a scripted one;
// command-line tools install one that prints messages on standard error.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace krovel {

// Notice: OK button and exclamation icon. Question: Yes and No buttons, question icon.
enum class MessageKind { Notice, Question };
enum class Answer { Ok, Yes, No };

// The dialog filter is written as the program's resources give it
// ("Name (*.ext)|*.ext||"); the Qt implementation renders it for Qt.
inline constexpr const char* KrovelFileFilter = "Krovel Files (*.krvx)|*.krvx||";

struct FileDialogRequest {
    std::string filter = KrovelFileFilter;
    std::string defaultExtension; // e.g. ".krvx", empty for none
    std::string initialFolder;
    std::string initialName;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Answer message(const std::string& text, MessageKind kind) = 0;
    // A question with buttons of its own, question icon; the last button cancels, as
    // Esc and closing the box do. The index of the button chosen; by default the last.
    virtual size_t choose(const std::string& text, const std::vector<std::string>& buttons) {
        (void)text;
        return buttons.empty() ? 0 : buttons.size() - 1;
    }
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // The status bar's prompt text: a line the user can read after the fact (why a
    // link failed, where a file went), without a box to close. Ignored by default.
    virtual void statusText(const std::string& text) { (void)text; }
};

// The installed implementation. Before any is installed a silent one answers
// No to questions and cancels dialogs.
Prompts& CurrentPrompts();
void InstallPrompts(Prompts* prompts); // nullptr puts the silent one back

inline void ShowNotice(const std::string& text) {
    CurrentPrompts().message(text, MessageKind::Notice);
}
inline void ShowStatusText(const std::string& text) {
    CurrentPrompts().statusText(text);
}
inline bool AskYesNo(const std::string& text) {
    return CurrentPrompts().message(text, MessageKind::Question) == Answer::Yes;
}

} // namespace krovel
