#include "ui/core/ViewState.h"

#include <algorithm>

namespace krovel {

int32_t LiveShownCount = 0;
bool NewSeriesPending = true;
int32_t IntervalIndex = 0;
int32_t ParamYIndex = 0;
float LiveValues[MaxRepetitions] = {};
GroupMeanTable GroupMeanValues;
DiagnosticSelection DiagSelection;

void ResetViewState() {
    LiveShownCount = 0;
    NewSeriesPending = true;
    IntervalIndex = 0;
    ParamYIndex = 0;
    std::fill(std::begin(LiveValues), std::end(LiveValues), 0.0f);
    GroupMeanValues = GroupMeanTable{};
    DiagSelection = DiagnosticSelection{};
}

GraphInputs CurrentGraphInputs() {
    GraphInputs in{.Axes = AxisRangeTable(AxisRanges)};
    in.Live = {LiveValues, std::clamp(LiveShownCount, 0, MaxRepetitions), LivePeakPower,
               TestHeader.SignalBelowPct};
    in.Exercise = {std::span<const float>(GroupMeanValues.Values,
                                          std::clamp(GroupMeanValues.Count, 0, MaxRepetitions)),
                   IntervalIndex, ParamYIndex};
    in.Diagnostic = DiagSelection;
    in.SeriesCount = SeriesCount;
    return in;
}

} // namespace krovel
