#include "ui/gui/ViewPrinting.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <vector>

#include "base/core/CommandIds.h"
#include "base/gui/CommandRouter.h"
#include "data/core/SubjectBarSync.h"
#include "measure/gui/CTarnList.h"
#include "ui/core/ViewState.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/ModeBar.h"
#include "ui/gui/PreviewShortcuts.h"
#include "ui/gui/PrintedPageRender.h"
#include "ui/gui/SharedPrinter.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {

namespace {

// The pages of the view on `printer`: the header holds what the SubjectBar shows, and
// the table part prints exactly the rows the repetition table shows.
void PrintViewPages(CKrovelDeviceView& view, QPrinter& printer) {
    ReadSubjectBar(view.subjectBar());
    const std::vector<RepRowText> rows = view.repTable().rowTexts();
    PrintPages(printer, view.ViewMode, rows);
}

// A page range chosen for one print job does not carry over to the next print or preview.
void ForgetPageRange(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
}

// The bar the view mode had before the preview hid it, showing the selections the view
// still draws with.
void RebuildModeBar(CKrovelDeviceView& view) {
    CMainFrame& frame = view.frame();
    switch (view.ViewMode) {
    case ViewModeDiagnostic:
        FillGraphDataBar(frame);
        SelectComboItem(frame, IdDataCombo, GraphView.DiagSelection.DataIndex);
        SelectComboItem(frame, IdXCombo, GraphView.DiagSelection.XIndex);
        SelectComboItem(frame, IdY1Combo, GraphView.DiagSelection.Y1Index);
        SelectComboItem(frame, IdY2Combo, GraphView.DiagSelection.Y2Index);
        break;
    case ViewModeExercise:
        FillExerciseBar(frame);
        SelectComboItem(frame, IdSeriesCombo, CurrentSeries);
        SelectComboItem(frame, IdIntervalCombo, GraphView.IntervalIndex);
        SelectComboItem(frame, IdParamYCombo, GraphView.ParamYIndex);
        break;
    case ViewModeDigital:
        FillSeriesBar(frame);
        SelectComboItem(frame, IdSeriesCombo, CurrentSeries);
        SelectComboItem(frame, IdIntervalCombo, GraphView.IntervalIndex);
        break;
    default:
        break;
    }
}

} // namespace

void PrintView(CKrovelDeviceView& view) {
    QPrinter& printer = SharedPrinter();
    ForgetPageRange(printer);
    const int32_t pages =
        PrintedPageCount(printer.pageLayout(), view.ViewMode, view.repTable().rowTexts());
    QPrintDialog dialog(&printer, &view.frame());
    // Only a table longer than a page offers a range of pages.
    dialog.setMinMax(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pages > 1);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() == QDialog::Accepted) PrintViewPages(view, printer);
    ForgetPageRange(printer);
}

void PrintViewDirect(CKrovelDeviceView& view) {
    PrintViewPages(view, SharedPrinter());
}

void PreviewView(CKrovelDeviceView& view) {
    view.frame().HideModeBar();
    {
        ForgetPageRange(SharedPrinter());
        QPrintPreviewDialog preview(&SharedPrinter(), &view.frame());
        AddPreviewShortcuts(preview);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                         [&view](QPrinter* printer) { PrintViewPages(view, *printer); });
        preview.exec();
        ForgetPageRange(SharedPrinter());
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
