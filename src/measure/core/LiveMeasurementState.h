// Process-wide state of the live measurement: its link request and what the live view
// has taken over and derived from it so far. Other parts read it; the UI thread owns it.
#pragma once

#include <cstdint>

#include "data/core/DataModel.h"
#include "device/core/StreamDecoder.h"

namespace krovel {

struct LiveMeasurementState {
    // The live measurement's link request. Its Finished is 0 from the start of a live
    // measurement until it ends; STOP and the overview (command 32782) set it to 1.
    // The reader thread writes it: read and write Finished through device/core/HandOver.h.
    LinkRequestRecord LiveRequest{};

    int32_t LiveShownCount = 0;            // repetitions of CurrentSeries taken over by the tick
    bool NewSeriesPending = true;          // the next repetition taken over opens its series
    float LiveValues[MaxRepetitions] = {}; // mean power of each live repetition

    // Live signals (see UpdateLiveSignals and LiveRowPercentage).
    float LivePeakPower = 0; // best mean power of the live series so far
    float UpperSignal = 0;   // LivePeakPower x the series' SignalAbovePct / 100
    float LowerSignal = 0;   // LivePeakPower x the series' SignalBelowPct / 100
    float RowPeakPower = 0;  // best mean power among the live table's rows

    // Back to the state at program start (tests). No link may be open on LiveRequest.
    void Reset();
};
extern LiveMeasurementState LiveMeasurement;

} // namespace krovel
