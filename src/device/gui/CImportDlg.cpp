#include "device/gui/CImportDlg.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <ctime>

#include "base/core/CommandIds.h"
#include "base/core/Prompts.h"
#include "base/gui/QtText.h"
#include "data/core/DataModel.h"
#include "data/core/Settings.h"
#include "data/core/TextFormat.h"
#include "device/core/HandOver.h"
#include "device/io/DeviceLink.h"

namespace krovel {

namespace {
// The import's own link request, separate from the live measurement's. It outlives
// the dialog because the link keeps a pointer to it until the next open.
LinkRequestRecord ImportRequest{0, 0, 1, 1, 0};

// A transfer shorter than this holds no series block and is not parsed.
constexpr int32_t MinimumTransferLength = 5;
} // namespace

const DialogTemplate& ImportTemplate() {
    using K = ControlKind;
    static const DialogTemplate t{
        ImportTemplateId,
        "Import Dialog",
        186,
        74,
        {
            {K::Label, IdImportText, "Ready to receiving.", 10, 10, 166, 8},
            {K::ProgressBar, IdImportProgress, "", 10, 26, 166, 10},
            {K::Button, cmd::DialogOk, "OK", 38, 50, 50, 14, DefaultButton | GroupStart},
            {K::Button, cmd::DialogCancel, "Cancel", 98, 50, 50, 14},
        }};
    return t;
}

CImportDlg::CImportDlg(QWidget* parent) : TemplateDialog(ImportTemplate(), parent) {
    timer_.setInterval(ImportTickMs);
    connect(&timer_, &QTimer::timeout, this, &CImportDlg::OnTimer);
}

CImportDlg::~CImportDlg() {
    // However the dialog goes away, the link it opened does not stay open.
    if (timer_.isActive()) StopReceiving();
}

int CImportDlg::exec() {
    if (!StartReceiving()) {
        ShowNotice("Error in communication");
        ShowStatusText(LinkFailureText());
        OnCancel();
        return QDialog::Rejected;
    }
    return TemplateDialog::exec();
}

bool CImportDlg::StartReceiving() {
    ProgressRangeSet = false;
    tableReplaced_ = false;
    ImportStartTime = static_cast<int32_t>(static_cast<int64_t>(std::time(nullptr)));

    BulkCollector.Reset();
    StoreFinished(ImportRequest, 0);
    // Without a USB unit the import listens on the port the user chose, as the live
    // measurement does.
    ImportRequest.PortIndex = PortSetting;
    ImportRequest.RepIndex = 0;
    ImportRequest.SkipFirstMarker = 0;
    if (!OpenBulkLink(ImportRequest)) {
        StoreFinished(ImportRequest, 1);
        return false;
    }
    timer_.start();
    form().button(cmd::DialogOk)->hide();
    return true;
}

void CImportDlg::OnTimer() {
    ShowProgress();
    if (LoadFinished(ImportRequest)) FinishTransfer();
}

void CImportDlg::ShowProgress() {
    const int32_t count = LoadBulkCount();
    // The range waits for the declared length, which the first two bytes carry.
    if (!ProgressRangeSet && count >= 2) {
        QProgressBar* bar = form().progressBar(IdImportProgress);
        bar->setRange(1, std::max(1, LoadBulkLength() & 0xFFFF));
        ProgressRangeSet = true;
    }
    if (ProgressRangeSet) {
        QProgressBar* bar = form().progressBar(IdImportProgress);
        bar->setValue(std::clamp(count, bar->minimum(), bar->maximum()));
    }
}

void CImportDlg::FinishTransfer() {
    timer_.stop();
    form().button(cmd::DialogOk)->show();
    // The reader drops everything after Finished; closing first ends it for good before
    // the buffer is read.
    CloseLink();
    if (LoadBulkLength() < MinimumTransferLength) {
        // Nothing to take: the table stays as it was, and the dialog says so rather
        // than looking like a finished transfer.
        BulkCollector.BulkLength.store(-1, std::memory_order_relaxed);
        form().setControlText(IdImportText, QString::fromLatin1(NothingReceivedText));
        return;
    }
    const int32_t series = ParseBulkTransfer(ImportStartTime);
    tableReplaced_ = true;
    form().setControlText(IdImportText,
                          ToQt(FormatText("Transfer OK. Number of series: %d", series)));
}

void CImportDlg::StopReceiving() {
    timer_.stop();
    StoreFinished(ImportRequest, 1);
    CloseLink();
}

void CImportDlg::OnOK() {
    DataSaved = 0;
    DataPresent = 1;
    TemplateDialog::OnOK();
}

void CImportDlg::OnCancel() {
    if (timer_.isActive() || !LoadFinished(ImportRequest)) StopReceiving();
    // Once the table holds the imported series, closing the dialog keeps them: they are
    // unsaved and shown like after OK.
    if (tableReplaced_) {
        OnOK();
        return;
    }
    TemplateDialog::OnCancel();
}

} // namespace krovel
