// Process-wide state of the live measurement: its link request and what the live view
// has taken over and derived from it so far. Other parts read it; the UI thread owns it.
#pragma once

#include <cstdint>

#include "data/core/DataModel.h"
#include "device/core/StreamDecoder.h"
#include "measure/core/VelocityLossStop.h"

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

    // The velocity-loss stop of the live series: its share is read from the settings at
    // each start (0: off), it starts over with each series.
    VelocityLossStop LossStop{0};
    int32_t LastStep = 0;      // mean velocity of the last repetition taken over, 0.02 m/s
    int32_t LossPercent = 0;   // its loss from the fastest of the series so far
    int32_t StopFiredRep = 0;  // 1-based repetition of the series at which the stop fired
    int32_t StopFiredLoss = 0; // the loss of that repetition, as the note shows it

    // Back to the state at program start (tests). No link may be open on LiveRequest.
    void Reset();
};
extern LiveMeasurementState LiveMeasurement;

} // namespace krovel
