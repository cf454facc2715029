// The ModeBar: the one exchangeable bar under the toolbar whose combo boxes choose what
// the digital report and the two graphs show. Each bar is a template form, destroyed and
// built again at every switch, so its lists always reflect the SeriesTable of that
// moment. Its clicks and combo choices go to the frame's command router.
#pragma once

#include <string>
#include <vector>

#include "base/gui/DialogTemplate.h"

namespace krovel {

class CMainFrame;

// Template ids; a bar's id is the id of the template it was built from.
inline constexpr int SeriesBarId = 138;    // digital report
inline constexpr int ExerciseBarId = 1023; // exercise graph
inline constexpr int GraphDataBarId = 140; // diagnostic graph

enum ModeBarControlId : int {
    IdIntervalCombo = 1030, // "interval %d ": groups of index + 1 repetitions
    IdSeriesCombo = 1031,   // "Serie No. %d"
    IdParamYCombo = 1032,   // a ValueKind
    IdFatigueCombo = 1044,  // fatigue-index controls: created hidden, never read
    IdFatigueBestWorst = 1000,
    IdFatigueInitialFinal = 1054,
    IdDataCombo = 32804, // "maximum", "means of %d"
    IdXCombo = 32805,    // PlotQuantity of the X axis
    IdY1Combo = 32806,   // PlotQuantity of the left axis
    IdY2Combo = 32807,   // PlotQuantity of the right axis
};

const DialogTemplate& SeriesBarTemplate();
const DialogTemplate& ExerciseBarTemplate();
const DialogTemplate& GraphDataBarTemplate();

// Builds the bar of a template and docks it under the toolbar in place of any other,
// wired to the frame's router: -1 when the id names no ModeBar template, else 0.
int ShowModeBar(CMainFrame& frame, int templateId);
// The bar now shown, nullptr when none.
TemplateForm* CurrentModeBar(const CMainFrame& frame);

// In the current bar: replaces the combo's items by `items` and selects `index`.
void FillCombo(CMainFrame& frame, int id, int index, const std::vector<std::string>& items);
// In the current bar: selects `index` in the combo, as the view has chosen it; no
// selection command follows.
void SelectComboItem(CMainFrame& frame, int id, int index);
// The selected item of a combo of the current bar, -1 when none (or no such combo).
int ComboSelection(const CMainFrame& frame, int id);

// The combo lists, from the SeriesTable as it is now.
std::vector<std::string> SeriesComboItems();
std::vector<std::string> IntervalComboItems();
std::vector<std::string> DataComboItems();

// Each rebuilds its bar (HideModeBar, ShowModeBar) and fills the combos with their
// initial selections. The view's own selections are not touched.
void FillSeriesBar(CMainFrame& frame);
void FillExerciseBar(CMainFrame& frame);
void FillGraphDataBar(CMainFrame& frame);

} // namespace krovel
