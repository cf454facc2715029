#include "device/gui/ImportCommand.h"

#include "app/core/CommandIds.h"
#include "app/gui/CommandRouter.h"
#include "data/gui/FileCommands.h"
#include "device/gui/CImportDlg.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {

void ImportCommand(CMainFrame& frame) {
    OfferToSaveUnsavedData(frame);
    CImportDlg dialog(&frame);
    if (dialog.exec() == QDialog::Accepted) frame.router().post(cmd::ShowOverview);
}

} // namespace krovel
