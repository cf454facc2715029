#include "app/gui/ImportCommand.h"

#include "app/gui/FileCommands.h"
#include "base/core/CommandIds.h"
#include "base/gui/CommandRouter.h"
#include "device/gui/CImportDlg.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {

void ImportCommand(CMainFrame& frame) {
    OfferToSaveUnsavedData(frame);
    CImportDlg dialog(&frame);
    if (dialog.exec() == QDialog::Accepted) frame.router().post(cmd::ShowOverview);
}

} // namespace krovel
