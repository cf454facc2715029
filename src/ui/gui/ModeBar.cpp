#include "ui/gui/ModeBar.h"

#include <QComboBox>

#include <algorithm>

#include "base/gui/CommandRouter.h"
#include "base/gui/QtText.h"
#include "data/core/DataModel.h"
#include "data/core/TextFormat.h"
#include "measure/core/RepetitionValues.h"
#include "ui/gui/CMainFrame.h"

namespace krovel {

namespace {
using K = ControlKind;
constexpr int S = NoControlId;
} // namespace

const DialogTemplate& SeriesBarTemplate() {
    static const DialogTemplate t{SeriesBarId,
                                  "",
                                  452,
                                  26,
                                  {
                                      {K::DropDownList, IdSeriesCombo, "", 7, 7, 60, 50},
                                      {K::DropDownList, IdIntervalCombo, "", 95, 7, 60, 50},
                                      {K::Button, 1017, "Export XML", 215, 7, 50, 14},
                                      {K::Button, 1039, "Delete attempt", 307, 7, 50, 14},
                                      {K::Button, 1040, "Delete serie", 389, 7, 50, 14},
                                  }};
    return t;
}

const DialogTemplate& ExerciseBarTemplate() {
    static const DialogTemplate t{
        ExerciseBarId,
        "",
        462,
        62,
        {
            {K::DropDownList, IdSeriesCombo, "", 10, 26, 60, 50},
            {K::Label, S, "Parameter Y", 216, 15, 40, 8},
            {K::DropDownList, IdParamYCombo, "", 216, 26, 60, 50},
            {K::Label, S, "Display repetitions", 347, 15, 58, 8},
            {K::DropDownList, IdIntervalCombo, "", 347, 26, 60, 50},
            // The fatigue-index controls exist but are never shown or read.
            {K::Label, S, "To calculate fatigue index use menas of", 124, 4, 126, 8, Hidden},
            {K::DropDown, IdFatigueCombo, "", 142, 15, 41, 50, Hidden},
            {K::Radio, IdFatigueBestWorst, "best and worst repetitions", 123, 29, 96, 10,
             Hidden | GroupStart},
            {K::Radio, IdFatigueInitialFinal, "initial and final repetitions", 123, 45, 94, 10,
             Hidden},
        }};
    return t;
}

const DialogTemplate& GraphDataBarTemplate() {
    static const DialogTemplate t{
        GraphDataBarId,
        "",
        440,
        35,
        {
            {K::Label, S, "Data to be used for the graph:", 26, 5, 103, 9},
            {K::DropDownList, IdDataCombo, "", 30, 15, 87, 45},
            {K::Label, S, "X:", 152, 5, 8, 8},
            {K::DropDownList, IdXCombo, "", 152, 15, 60, 74},
            {K::Label, S, "Y1:", 246, 5, 12, 8},
            {K::DropDownList, IdY1Combo, "", 243, 15, 62, 76},
            {K::Label, S, "Y2:", 351, 5, 12, 8},
            {K::DropDownList, IdY2Combo, "", 349, 15, 61, 70},
        }};
    return t;
}

namespace {

const DialogTemplate* ModeBarTemplate(int id) {
    switch (id) {
    case SeriesBarId:
        return &SeriesBarTemplate();
    case ExerciseBarId:
        return &ExerciseBarTemplate();
    case GraphDataBarId:
        return &GraphDataBarTemplate();
    default:
        return nullptr;
    }
}

// The fixed items of the Parameter Y combo: ValueKind order.
const std::vector<std::string> ParamYItems = {"mean v (m/s)", "max v (m/s)", "mean P (W)",
                                              "max P (W)"};
// The fixed items of the axis combos: PlotQuantity order (Y1 writes its power item apart).
const std::vector<std::string> AxisItems = {"m (kg)", "F (N)", "mean v(m/s)", "mean P(W)"};
const std::vector<std::string> Y1AxisItems = {"m (kg)", "F (N)", "mean v(m/s)", "mean P (W)"};

} // namespace

int ShowModeBar(CMainFrame& frame, int templateId) {
    const DialogTemplate* tmpl = ModeBarTemplate(templateId);
    if (!tmpl) return -1;
    auto* bar = new TemplateForm(*tmpl);
    bar->setObjectName(QStringLiteral("modeBar%1").arg(templateId));
    ConnectFormToRouter(*bar, frame.router());
    frame.DockModeBar(bar);
    return 0;
}

TemplateForm* CurrentModeBar(const CMainFrame& frame) {
    return qobject_cast<TemplateForm*>(frame.modeBar());
}

void FillCombo(CMainFrame& frame, int id, int index, const std::vector<std::string>& items) {
    TemplateForm* bar = CurrentModeBar(frame);
    QComboBox* combo = bar ? bar->combo(id) : nullptr;
    if (!combo) return;
    combo->clear();
    for (const std::string& item : items) bar->addComboString(id, ToQt(item));
    combo->setCurrentIndex(index);
}

void SelectComboItem(CMainFrame& frame, int id, int index) {
    TemplateForm* bar = CurrentModeBar(frame);
    if (QComboBox* combo = bar ? bar->combo(id) : nullptr) combo->setCurrentIndex(index);
}

int ComboSelection(const CMainFrame& frame, int id) {
    TemplateForm* bar = CurrentModeBar(frame);
    QComboBox* combo = bar ? bar->combo(id) : nullptr;
    return combo ? combo->currentIndex() : -1;
}

std::vector<std::string> SeriesComboItems() {
    std::vector<std::string> items;
    const int32_t count = std::clamp<int32_t>(SeriesCount, 0, MaxSeries);
    for (int32_t i = 1; i <= count; ++i) items.push_back(FormatText("Serie No. %d", i));
    return items;
}

std::vector<std::string> IntervalComboItems() {
    std::vector<std::string> items;
    const int32_t n = IntervalChoiceCount();
    for (int32_t i = 1; i <= n; ++i) items.push_back(FormatText("interval %d ", i));
    return items;
}

std::vector<std::string> DataComboItems() {
    // With no repetition anywhere "maximum" is the one choice that means something.
    std::vector<std::string> items{"maximum"};
    const int32_t n = std::min<int32_t>(IntervalChoiceCount(), MaxRepetitions);
    for (int32_t i = 2; i <= n; ++i) items.push_back(FormatText("means of %d", i));
    return items;
}

void FillSeriesBar(CMainFrame& frame) {
    frame.HideModeBar();
    if (ShowModeBar(frame, SeriesBarId) != 0) return;
    FillCombo(frame, IdSeriesCombo, 0, SeriesComboItems());
    FillCombo(frame, IdIntervalCombo, 0, IntervalComboItems());
}

void FillExerciseBar(CMainFrame& frame) {
    frame.HideModeBar();
    if (ShowModeBar(frame, ExerciseBarId) != 0) return;
    FillCombo(frame, IdSeriesCombo, 0, SeriesComboItems());
    FillCombo(frame, IdIntervalCombo, 0, IntervalComboItems());
    FillCombo(frame, IdParamYCombo, 0, ParamYItems);
}

void FillGraphDataBar(CMainFrame& frame) {
    frame.HideModeBar();
    if (ShowModeBar(frame, GraphDataBarId) != 0) return;
    FillCombo(frame, IdDataCombo, 0, DataComboItems());
    FillCombo(frame, IdXCombo, 0, AxisItems);
    FillCombo(frame, IdY1Combo, 2, Y1AxisItems);
    FillCombo(frame, IdY2Combo, 3, AxisItems);
}

} // namespace krovel
