#include "ui/core/ViewState.h"

#include <algorithm>

namespace krovel {

GraphViewState GraphView;

void GraphViewState::Reset() {
    *this = GraphViewState{};
}

GraphInputs CurrentGraphInputs() {
    GraphInputs in{.Axes = AxisRangeTable(AxisRanges)};
    const LiveMeasurementState& live = LiveMeasurement;
    in.Live = {live.LiveValues, std::clamp(live.LiveShownCount, 0, MaxRepetitions),
               live.LivePeakPower, TestHeader.SignalBelowPct};
    const GroupMeanTable& means = GraphView.GroupMeanValues;
    in.Exercise = {std::span<const float>(means.Values, std::clamp(means.Count, 0, MaxRepetitions)),
                   GraphView.IntervalIndex, GraphView.ParamYIndex};
    in.Diagnostic = GraphView.DiagSelection;
    in.SeriesCount = SeriesCount;
    return in;
}

} // namespace krovel
