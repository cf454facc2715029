// Message boxes, file dialogs and the status bar's prompt text on screen: the Prompts the real
// program installs.
#pragma once

#include "base/core/Prompts.h"

class QWidget;

namespace krovel {

// Caption of every message box.
inline constexpr const char* MessageCaption = "Kelvane";

class QtPrompts : public Prompts {
public:
    // Boxes and dialogs are modal to the active window (or to none before it exists).
    Answer message(const std::string& text, MessageKind kind) override;
    size_t choose(const std::string& text, const std::vector<std::string>& buttons) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    // Shown in the status bar of the main window until something replaces it.
    void statusText(const std::string& text) override;
};

} // namespace krovel
