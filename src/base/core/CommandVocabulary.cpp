#include "base/core/CommandVocabulary.h"

#include <algorithm>

#include "base/core/CommandIds.h"

namespace krovel {

using namespace cmd;

const std::vector<MenuPopupSpec>& MainMenu() {
    static const std::vector<MenuPopupSpec> menu = {
        {"&File",
         {{FileOpen, "&Open...\tCtrl+O"},
          {Save, "&Save\tCtrl+S"},
          {SeparatorId, nullptr},
          {SeparatorId, nullptr},
          {FilePrint, "&Print...\tCtrl+P"},
          {FilePrintPreview, "Print Pre&view"},
          {FilePrintSetup, "P&rint Setup..."},
          {SeparatorId, nullptr},
          {AppExit, "E&xit"}}},
        {"&Import data", {{ImportData, "&Import data from    "}}},
        {"&Start",
         {{Perform, "Perform"},
          {AppendSet, "Append set"},
          {AppendSetNewSubject, "Append set with new subject"}}},
        {"&Report",
         {{DigitalReport, "Digital"},
          {DiagnosticGraph, "Diagnostic graph"},
          {ExerciseGraph, "Exercise graph"}}},
        {"&About", {{SeparatorId, nullptr}, {AppAbout, "&About Krovel"}}},
    };
    return menu;
}

const std::vector<int>& MainToolbar() {
    static const std::vector<int> buttons = {
        FileOpen,      Save,      SubjectSelect,       SeparatorId, ImportData,    SeparatorId,
        Perform,       AppendSet, AppendSetNewSubject, SeparatorId, DigitalReport, DiagnosticGraph,
        ExerciseGraph, AxesSetup, SeparatorId,         AppAbout,
    };
    return buttons;
}

const std::vector<AcceleratorSpec>& Accelerators() {
    static const std::vector<AcceleratorSpec> keys = {
        {"Ctrl+O", FileOpen},   {"Ctrl+S", Save},          {"Ctrl+P", FilePrint},
        {"Ctrl+N", FileNew},    {"Ctrl+C", EditCopy},      {"Ctrl+Ins", EditCopy},
        {"Ctrl+V", EditPaste},  {"Shift+Ins", EditPaste},  {"Ctrl+X", EditCut},
        {"Shift+Del", EditCut}, {"Ctrl+Z", EditUndo},      {"Alt+Backspace", EditUndo},
        {"F1", Help},           {"Shift+F1", ContextHelp}, {"F6", NextPane},
        {"Shift+F6", PrevPane},
    };
    return keys;
}

const std::vector<CommandSpec>& CommandTable() {
    using O = CommandOwner;
    using R = EnableRule;
    static const std::vector<CommandSpec> table = {
        // Application commands; the document holds the rules that read the flags.
        {FileOpen, O::Application, R::Idle, O::Document},
        {Save, O::Application, R::IdleAndData, O::Document},
        {SubjectSelect, O::Application, R::Always, O::Application},
        {Perform, O::Application, R::Idle, O::Document},
        {AppendSet, O::Application, R::Idle, O::Document},
        {AppendSetNewSubject, O::Application, R::None, O::Application},
        {AppAbout, O::Application, R::None, O::Application},
        {SerialPort, O::Application, R::None, O::Application},
        {FilePrintSetup, O::Application, R::None, O::Application},
        {AppExit, O::Application, R::None, O::Application},
        // View commands.
        {ImportData, O::View, R::Idle, O::Document},
        {DigitalReport, O::View, R::FinishedAndData, O::View},
        {DiagnosticGraph, O::View, R::IdleAndData, O::Document},
        {ExerciseGraph, O::View, R::IdleAndData, O::Document},
        {AxesSetup, O::View, R::Idle, O::Document},
        {FilePrint, O::View, R::None, O::View},
        {FilePrintPreview, O::View, R::None, O::View},
        // Requests the application issues to the view, and the view's own.
        {NewMeasurement, O::View, R::None, O::View},
        {AppendSetRequest, O::View, R::None, O::View},
        {ShowOverview, O::View, R::None, O::View},
        {Tick, O::View, R::None, O::View},
        {Stop, O::View, R::None, O::View},
        {ExportXml, O::View, R::None, O::View},
        {DeleteAttempt, O::View, R::None, O::View},
        {DeleteSerie, O::View, R::None, O::View},
        // Keys of the accelerator table that nothing handles.
        {FileNew, O::Application, R::None, O::Application},
        {EditCopy, O::View, R::None, O::View},
        {EditCut, O::View, R::None, O::View},
        {EditPaste, O::View, R::None, O::View},
        {EditUndo, O::View, R::None, O::View},
        {Help, O::Application, R::None, O::Application},
        {ContextHelp, O::Application, R::None, O::Application},
        {NextPane, O::Frame, R::None, O::Frame},
        {PrevPane, O::Frame, R::None, O::Frame},
    };
    return table;
}

const CommandSpec* FindCommand(int id) {
    const auto& table = CommandTable();
    auto it = std::find_if(table.begin(), table.end(), [id](const auto& c) { return c.id == id; });
    return it == table.end() ? nullptr : &*it;
}

const char* PromptString(int id) {
    struct Prompt {
        int id;
        const char* text;
    };
    static const Prompt prompts[] = {
        {Perform, "START\nSTART"},
        {SerialPort, "Serial port\nSerial port"},
        {DigitalReport, "Digital report\nDigital report"},
        {Save, "Save the active document\nSave"},
        {ImportData, "Import data\nImport data "},
        {AppendSet, "Append set \n Append set"},
        {DiagnosticGraph, "Diagnostic graph"},
        {ExerciseGraph, "Exercise graph"},
        {AxesSetup, "Axes setup\nAxes setup"},
        {AppendSetNewSubject, "Append set with new subject \nAppend set with new subject"},
        {FileOpen, "Open an existing document\nOpen"},
        {FilePrintSetup, "Change the printer and printing options\nPrint Setup"},
        {FilePrint, "Subject Info"},
        {FilePrintPreview, "Display full pages\nPrint Preview"},
        {AppExit, "Quit the application; prompts to save documents\nExit"},
    };
    for (const auto& p : prompts)
        if (p.id == id) return p.text;
    return nullptr;
}

std::string StatusPrompt(int id) {
    const char* s = PromptString(id);
    if (!s) return {};
    std::string text(s);
    return text.substr(0, text.find('\n'));
}

std::string TooltipText(int id) {
    const char* s = PromptString(id);
    if (!s) return {};
    std::string text(s);
    size_t nl = text.find('\n');
    return nl == std::string::npos ? std::string() : text.substr(nl + 1);
}

bool RuleAllows(EnableRule rule, const RuleFlags& f) {
    switch (rule) {
    case EnableRule::None:
    case EnableRule::Always:
        return true;
    case EnableRule::Idle:
        return f.measurementIdle != 0;
    case EnableRule::IdleAndData:
        return f.measurementIdle != 0 && f.dataPresent != 0;
    case EnableRule::FinishedAndData:
        return f.liveFinished != 0 && f.dataPresent != 0;
    }
    return true;
}

} // namespace krovel
