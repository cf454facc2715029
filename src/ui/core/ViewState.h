// The view's selections and the values its graphs draw. They are process-wide so the
// screen paint, the printed page and krovel-cli print read one and the same state.
#pragma once

#include <cstdint>

#include "data/core/DataModel.h"
#include "measure/core/LoadPoints.h"
#include "measure/core/LiveMeasurementState.h"
#include "measure/core/RepetitionValues.h"
#include "ui/core/Graphs.h"

namespace krovel {

struct GraphViewState {
    int32_t IntervalIndex = 0;         // interval combo selection; group size = IntervalIndex + 1
    int32_t ParamYIndex = 0;           // Parameter Y combo selection (a ValueKind)
    GroupMeanTable GroupMeanValues;    // the exercise graph's group means
    DiagnosticSelection DiagSelection; // the GraphDataBar's selections
    // The diagnostic graph's points, built again on every paint in fixed storage, so a
    // paint never allocates; painting runs on the user-interface thread only.
    LoadPointSet DiagPoints;

    // Back to the state at program start (tests).
    void Reset();
};
extern GraphViewState GraphView;

// What the graphs draw now, from the state above, the live measurement and AxisRanges.
GraphInputs CurrentGraphInputs();

} // namespace krovel
