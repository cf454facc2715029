// The view's selections and the values its graphs draw. They are process-wide so the
// screen paint, the printed page and krovel-cli print read one and the same state.
#pragma once

#include <cstdint>

#include "data/core/DataModel.h"
#include "measure/core/RepetitionValues.h"
#include "ui/core/Graphs.h"

namespace krovel {

extern int32_t LiveShownCount;           // repetitions of CurrentSeries taken over by the tick
extern bool NewSeriesPending;            // the next repetition taken over opens its series
extern int32_t IntervalIndex;            // interval combo selection; group size = IntervalIndex + 1
extern int32_t ParamYIndex;              // Parameter Y combo selection (a ValueKind)
extern float LiveValues[MaxRepetitions]; // mean power of each live repetition
extern GroupMeanTable GroupMeanValues;   // the exercise graph's group means
extern DiagnosticSelection DiagSelection; // the GraphDataBar's selections

// Back to the state at program start (tests).
void ResetViewState();

// What the graphs draw now, from the state above, the live statistics and AxisRanges.
GraphInputs CurrentGraphInputs();

} // namespace krovel
