#include "app/gui/SubjectSwitch.h"

#include "app/gui/FileCommands.h"
#include "base/core/Prompts.h"
#include "data/core/DataModel.h"
#include "quorl/core/SubjectNames.h"
#include "quorl/gui/Quorl.h"
#include "quorl/gui/QuorlDialogs.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {

namespace {

enum Choice : size_t { SaveForOwner, GiveToChosen, Cancel };

// The name as the registry compares names.
std::string NameKey(const std::string& name) {
    return quorl::FoldCase(quorl::TrimBlanks(name));
}

} // namespace

bool SwitchSubject(CMainFrame& frame, const std::string& folderName) {
    quorl::SubjectRegistry& registry = quorl::TheSubjectRegistry();
    const std::optional<quorl::Subject> chosen = registry.find(folderName);
    if (!chosen) return false;

    const std::string owner = TestHeader.Subject.SubjectName;
    const std::string& name = chosen->record.SubjectName;
    if (SeriesCount > 0 && !NameKey(owner).empty() && NameKey(owner) != NameKey(name)) {
        const size_t choice =
            CurrentPrompts().choose("These sets belong to " + owner + ".",
                                    {"Save them for " + owner, "Give them to " + name, "Cancel"});
        if (choice == SaveForOwner) {
            // Save is not available while a measurement runs: nothing is saved then.
            if (!MeasurementIdle || !SaveCommand(frame)) return false;
            frame.view()->emptyTable();
        } else if (choice != GiveToChosen) {
            return false;
        }
    }
    if (!registry.select(folderName)) return false;
    quorl::RememberChosenSubject(folderName);
    QuorlFillSubject(TestHeader.Subject);
    frame.RepaintAll();
    return true;
}

} // namespace krovel
