// The report modes (digital report, exercise graph, diagnostic graph), the selections
// made on the ModeBar, the two deletions and the spreadsheet export.
#include <algorithm>

#include "base/core/CommandIds.h"
#include "base/core/Prompts.h"
#include "base/gui/CommandRouter.h"
#include "data/core/DataModel.h"
#include "data/core/SeriesEdits.h"
#include "data/core/SubjectBarSync.h"
#include "data/core/TextFormat.h"
#include "measure/gui/CTarnList.h"
#include "measure/gui/SpreadsheetLauncher.h"
#include "ui/core/ViewState.h"
#include "ui/gui/CKrovelDeviceView.h"
#include "ui/gui/CMainFrame.h"
#include "ui/gui/ModeBar.h"
#include "ui/gui/SubjectBar.h"

namespace krovel {

void CKrovelDeviceView::registerReportCommands() {
    CommandRouter& r = router();
    r.setHandler(cmd::DigitalReport, this, [this] { ShowDigitalReport(); });
    r.setHandler(cmd::ExerciseGraph, this, [this] { ShowExerciseGraph(); });
    r.setHandler(cmd::DiagnosticGraph, this, [this] { ShowDiagnosticGraph(); });
    r.setHandler(cmd::DeleteAttempt, this, [this] { DeleteAttempt(); });
    r.setHandler(cmd::DeleteSerie, this, [this] { DeleteSerie(); });
    r.setHandler(cmd::ExportXml, this, [this] { ExportTable(); });

    constexpr Notify choice = Notify::SelectionChange;
    r.setHandler(
        IdIntervalCombo, this, [this] { IntervalChanged(); }, choice);
    r.setHandler(
        IdSeriesCombo, this, [this] { SeriesChanged(); }, choice);
    r.setHandler(
        IdParamYCombo, this, [this] { ParamYChanged(); }, choice);
    for (int id : {IdDataCombo, IdXCombo, IdY1Combo, IdY2Combo})
        r.setHandler(
            id, this, [this, id] { DiagSelectionChanged(id); }, choice);

    // The fatigue-index controls are never used: their messages end here.
    r.setHandler(
        IdFatigueCombo, this, [] {}, choice);
    r.setHandler(IdFatigueBestWorst, this, [] {});
    r.setHandler(IdFatigueInitialFinal, this, [] {});
}

namespace {

// The exercise graph's bars of a series; none for an entry that holds no series.
void FillGroupMeans(int32_t series) {
    if (SeriesShowable(series))
        GroupMeans(series, GraphView.IntervalIndex, GraphView.ParamYIndex,
                   GraphView.GroupMeanValues);
    else
        GraphView.GroupMeanValues.Count = 0;
}

} // namespace

void CKrovelDeviceView::ShowDigitalReport() {
    showTestFields();
    ReadSubjectBar(*subjectBar_);
    FillSeriesBar(frame_);
    GraphView.IntervalIndex = 0;
    CurrentSeries = 0;
    GraphView.ParamYIndex = 0;
    SelectSeriesLimits(0);
    ViewMode = ViewModeDigital;
    repTable_->ResetRepTable();
    repTable_->FillDigitalReport(CurrentSeries, GraphView.IntervalIndex);
    placeRepTable(10, 200, 860, 400);
    Repaint();
}

void CKrovelDeviceView::ShowExerciseGraph() {
    FillExerciseBar(frame_);
    GraphView.IntervalIndex = 0;
    CurrentSeries = 0;
    GraphView.ParamYIndex = 0;
    showTestFields();
    SelectSeriesLimits(0);
    ViewMode = ViewModeExercise;
    FillGroupMeans(CurrentSeries);
    repTable_->ResetRepTable();
    placeRepTable(0, 0, 0, 0);
    Repaint();
}

void CKrovelDeviceView::ShowDiagnosticGraph() {
    showTestFields();
    FillGraphDataBar(frame_);
    GraphView.DiagSelection = DiagnosticSelection{}; // X mass, Y1 velocity, Y2 power, "maximum"
    ViewMode = ViewModeDiagnostic;
    ReadSubjectBar(*subjectBar_);
    repTable_->ResetRepTable();
    placeRepTable(0, 0, 0, 0);
    Repaint();
}

namespace {

// A combo's selection as an index to store; a combo without one counts as item 0.
int32_t SelectionOf(const CMainFrame& frame, int comboId) {
    return std::max(ComboSelection(frame, comboId), 0);
}

// The series a report may show: a complete one, or entry 0 while there is none.
bool ShowableSeries(int32_t series) {
    return series >= 0 && series < std::max<int32_t>(std::min(SeriesCount, MaxSeries), 1);
}

} // namespace

void CKrovelDeviceView::refillForSelection() {
    if (ViewMode == ViewModeDigital)
        repTable_->FillDigitalReport(CurrentSeries, GraphView.IntervalIndex);
    else if (ViewMode == ViewModeExercise)
        FillGroupMeans(CurrentSeries);
    else
        ShowNotice("Internal error: testno");
    Repaint();
}

void CKrovelDeviceView::IntervalChanged() {
    GraphView.IntervalIndex = SelectionOf(frame_, IdIntervalCombo);
    repTable_->ResetRepTable();
    refillForSelection();
}

void CKrovelDeviceView::SeriesChanged() {
    const int32_t chosen = SelectionOf(frame_, IdSeriesCombo);
    if (!ShowableSeries(chosen)) return;
    CurrentSeries = chosen;
    SelectSeriesLimits(CurrentSeries);
    repTable_->ResetRepTable();
    refillForSelection();
}

void CKrovelDeviceView::ParamYChanged() {
    GraphView.ParamYIndex = SelectionOf(frame_, IdParamYCombo);
    SelectSeriesLimits(CurrentSeries);
    repTable_->ResetRepTable();
    if (ViewMode == ViewModeExercise)
        FillGroupMeans(CurrentSeries);
    else
        ShowNotice("Internal error parameter Y");
    Repaint();
}

void CKrovelDeviceView::DiagSelectionChanged(int comboId) {
    if (ViewMode != ViewModeDiagnostic) return;
    const int32_t chosen = SelectionOf(frame_, comboId);
    switch (comboId) {
    case IdDataCombo:
        GraphView.DiagSelection.DataIndex = chosen;
        break;
    case IdXCombo:
        GraphView.DiagSelection.XIndex = chosen;
        break;
    case IdY1Combo:
        GraphView.DiagSelection.Y1Index = chosen;
        break;
    case IdY2Combo:
        GraphView.DiagSelection.Y2Index = chosen;
        break;
    default:
        return;
    }
    Repaint();
}

void CKrovelDeviceView::DeleteAttempt() {
    // Only single repetitions of the digital report can be deleted.
    if (ViewMode != ViewModeDigital || GraphView.IntervalIndex != 0) return;
    if (repTable_->SelectedRowCount() == 0) {
        ShowNotice("No attempt was selected!");
        return;
    }
    const int row = repTable_->FirstSelectedRow();
    if (!AskYesNo(FormatText("Are You Sure You want to delete\n selected attempt No: %d", row + 1)))
        return;
    DeleteRepetition(CurrentSeries, row);
    repTable_->ResetRepTable();
    repTable_->FillDigitalReport(CurrentSeries, GraphView.IntervalIndex);
    DataSaved = 0;
    Repaint();
}

void CKrovelDeviceView::DeleteSerie() {
    if (ViewMode != ViewModeDigital || GraphView.IntervalIndex != 0) return;
    // The last series is never deleted here.
    if (SeriesCount < 2) {
        ShowNotice("Please delete the data from disk!");
        return;
    }
    if (!AskYesNo(FormatText("Are You Sure You want to delete\n Test No: %d", CurrentSeries + 1)))
        return;
    if (!DeleteSeries(CurrentSeries)) return;
    if (CurrentSeries > 0) --CurrentSeries;
    SelectSeriesLimits(CurrentSeries);
    // The table no longer matches any file: saving must be offered again.
    DataSaved = 0;
    ShowDigitalReport();
}

void CKrovelDeviceView::ExportTable() {
    ExportSpreadsheetFromTable(repTable_->rowTexts());
}

} // namespace krovel
