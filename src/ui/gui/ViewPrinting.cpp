#include "ui/gui/ViewPrinting.h"

#include <memory>
#include <vector>

#include "base/core/CommandIds.h"
#include "base/gui/CommandRouter.h"
#include "data/core/SubjectBarSync.h"
#include "measure/gui/CTarnList.h"
#include "ui/core/ViewState.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/ModeBar.h"
#include "ui/gui/PrintedPageRender.h"
#include "ui/gui/Printing.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {

namespace {

// The pages of the view: the header holds what the SubjectBar shows as printing
// starts, and the table part prints exactly the rows the repetition table shows.
PrintJob ViewPages(CKrovelDeviceView& view) {
    auto rows = std::make_shared<std::vector<RepRowText>>();
    PrintJob job;
    job.dialogPages = [&view](const QPageLayout& layout) {
        return PrintedPageCount(layout, view.ViewMode, view.repTable().rowTexts());
    };
    job.startPages = [&view, rows](const QPageLayout& layout) {
        ReadSubjectBar(view.subjectBar());
        *rows = view.repTable().rowTexts();
        return PrintedPageCount(layout, view.ViewMode, *rows);
    };
    job.drawPage = [&view, rows](QPainter& painter, const PrintedSheet& sheet) {
        RenderPrintedPage(painter, view.ViewMode, *rows, PrintableHeightOf(sheet.layout),
                          sheet.page);
    };
    return job;
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
    if (PrintService* printing = LoadPrintService())
        printing->Print(ViewPages(view), &view.frame());
}

void PrintViewDirect(CKrovelDeviceView& view) {
    if (PrintService* printing = LoadPrintService()) printing->PrintDirect(ViewPages(view));
}

void PreviewView(CKrovelDeviceView& view) {
    PrintService* printing = LoadPrintService();
    if (!printing) return;
    view.frame().HideModeBar();
    printing->Preview(ViewPages(view), &view.frame());
    RebuildModeBar(view);
}

void RegisterPrintCommands(CKrovelDeviceView& view) {
    CommandRouter& r = view.router();
    r.setHandler(cmd::FilePrint, &view, [&view] { PrintView(view); });
    r.setHandler(cmd::FilePrintDirect, &view, [&view] { PrintViewDirect(view); });
    r.setHandler(cmd::FilePrintPreview, &view, [&view] { PreviewView(view); });
}

} // namespace krovel
