// The program's command vocabulary as data: the main menu, the toolbar order, the
// accelerator table, the prompt strings, and for every command the object that
// carries it out and the rule that enables it. The user interface builds its menus,
// toolbar and shortcuts from these tables; nothing here depends on a toolkit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace krovel {

// Separator entries in menus and in the toolbar order.
inline constexpr int SeparatorId = 0;

struct MenuItemSpec {
    int id;           // SeparatorId for a separator
    const char* text; // "&" marks the access key, "\t" separates the shortcut text
};

struct MenuPopupSpec {
    const char* title;
    std::vector<MenuItemSpec> items;
};

struct AcceleratorSpec {
    const char* keys; // portable key text, e.g. "Ctrl+O", "Shift+Ins"
    int id;
};

// Who carries a command out. A command offered to the main window goes to the
// view, the document, the frame and the application, in that order.
enum class CommandOwner { View, Document, Frame, Application };

enum class EnableRule {
    None,            // no rule: always carried out
    Always,          // a rule that always says yes
    Idle,            // MeasurementIdle
    IdleAndData,     // MeasurementIdle and DataPresent
    FinishedAndData, // the live link request's Finished and DataPresent
};

struct CommandSpec {
    int id;
    CommandOwner owner;
    EnableRule rule;
    CommandOwner ruleOwner; // where the rule lives (meaningful when rule != None)
};

const std::vector<MenuPopupSpec>& MainMenu();
const std::vector<int>& MainToolbar(); // left to right, SeparatorId for separators
const std::vector<AcceleratorSpec>& Accelerators();
const std::vector<CommandSpec>& CommandTable();
const CommandSpec* FindCommand(int id); // nullptr for ids outside the table

// The prompt string of a command ("status text\ntooltip"), nullptr when it has none.
const char* PromptString(int id);
// The part before "\n": shown in the status bar while the item is highlighted.
std::string StatusPrompt(int id);
// The part after "\n": the toolbar button's tooltip; empty when there is none.
std::string TooltipText(int id);

// The flags the enabling rules read.
struct RuleFlags {
    int32_t measurementIdle = 1;
    int32_t dataPresent = 0;
    int32_t liveFinished = 1;
};

bool RuleAllows(EnableRule rule, const RuleFlags& flags);

} // namespace krovel
