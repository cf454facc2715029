#include "ui/gui/ViewPrinting.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <vector>

#include "app/core/CommandIds.h"
#include "app/gui/CommandRouter.h"
#include "data/core/SubjectBarSync.h"
#include "measure/gui/CKrovelDeviceView.h"
#include "measure/gui/CTarnList.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/ModeBar.h"
#include "ui/gui/PrintedPageRender.h"
#include "ui/gui/SharedPrinter.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {

namespace {

// The page of the view on `printer`: the header holds what the SubjectBar shows, and
// the table part prints exactly the rows the repetition table shows.
void PrintViewPage(CKrovelDeviceView& view, QPrinter& printer) {
    ReadSubjectBar(view.subjectBar());
    const std::vector<RepRowText> rows = view.repTable().rowTexts();
    PrintPage(printer, view.ViewMode, rows);
}

// The bar the view mode had before the preview hid it, showing its initial selections.
void RebuildModeBar(CKrovelDeviceView& view) {
    switch (view.ViewMode) {
    case ViewModeDiagnostic:
        FillGraphDataBar(view.frame());
        break;
    case ViewModeExercise:
        FillExerciseBar(view.frame());
        break;
    case ViewModeDigital:
        FillSeriesBar(view.frame());
        break;
    default:
        break;
    }
}

} // namespace

void PrintView(CKrovelDeviceView& view) {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, &view.frame());
    // The report is always one page.
    dialog.setMinMax(1, 1);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintViewPage(view, printer);
}

void PrintViewDirect(CKrovelDeviceView& view) {
    PrintViewPage(view, SharedPrinter());
}

void PreviewView(CKrovelDeviceView& view) {
    view.frame().HideModeBar();
    {
        QPrintPreviewDialog preview(&SharedPrinter(), &view.frame());
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                         [&view](QPrinter* printer) { PrintViewPage(view, *printer); });
        preview.exec();
    }
    RebuildModeBar(view);
}

void RegisterPrintCommands(CKrovelDeviceView& view) {
    CommandRouter& r = view.router();
    r.setHandler(cmd::FilePrint, &view, [&view] { PrintView(view); });
    r.setHandler(cmd::FilePrintDirect, &view, [&view] { PrintViewDirect(view); });
    r.setHandler(cmd::FilePrintPreview, &view, [&view] { PreviewView(view); });
}

} // namespace krovel
