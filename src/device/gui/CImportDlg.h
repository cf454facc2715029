// The import dialog (template 157, "Import Dialog"): listens on the link in bulk mode
// while the user starts the transfer on the device, shows the bytes received, and
// when the transfer is complete replaces the whole SeriesTable with its series.
//
// Receiving -> complete (OK shown, "Transfer OK. Number of series: n") -> OK; Cancel
// at any moment closes the link and leaves the table alone while nothing was parsed.
#pragma once

#include <QTimer>

#include <cstdint>

#include "base/gui/DialogTemplate.h"
#include "device/core/StreamDecoder.h"

namespace krovel {

inline constexpr int ImportTemplateId = 157;
inline constexpr int IdImportText = 1012;
inline constexpr int IdImportProgress = 1013;
inline constexpr int ImportTickMs = 100;
// Shown when a transfer ended too short to hold any series.
inline constexpr const char* NothingReceivedText = "No series were received.";

const DialogTemplate& ImportTemplate();

class CImportDlg : public TemplateDialog {
    Q_OBJECT
public:
    explicit CImportDlg(QWidget* parent = nullptr);
    ~CImportDlg() override;

    // Opens the link and runs the dialog; when no device answers, "Error in
    // communication" is shown and the result is Rejected without showing the dialog.
    int exec() override;

    // The opening step on its own (exec runs it first): resets the collector, opens the
    // bulk link, starts the timer and hides OK. False when the link did not open.
    bool StartReceiving();
    bool receiving() const { return timer_.isActive(); }
    // True once the transfer was parsed into the table.
    bool tableReplaced() const { return tableReplaced_; }

protected:
    void OnOK() override;
    void OnCancel() override;

private:
    void OnTimer();
    void ShowProgress();
    void FinishTransfer();
    void StopReceiving();

    QTimer timer_;
    bool ProgressRangeSet = false;
    bool tableReplaced_ = false;
    int32_t ImportStartTime = 0;
};

} // namespace krovel
