#include "base/core/Prompts.h"

namespace krovel {

namespace {

class SilentPrompts : public Prompts {
public:
    Answer message(const std::string&, MessageKind kind) override {
        return kind == MessageKind::Question ? Answer::No : Answer::Ok;
    }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
};

SilentPrompts silentPrompts;
Prompts* installed = &silentPrompts;

} // namespace

Prompts& CurrentPrompts() {
    return *installed;
}

void InstallPrompts(Prompts* prompts) {
    installed = prompts ? prompts : &silentPrompts;
}

} // namespace krovel
