#include "app/core/CommandFlags.h"

#include "data/core/DataModel.h"
#include "device/core/HandOver.h"
#include "measure/core/LiveMeasurementState.h"

namespace krovel {

RuleFlags CurrentRuleFlags() {
    RuleFlags f;
    f.measurementIdle = MeasurementIdle;
    f.dataPresent = DataPresent;
    f.liveFinished = LoadFinished(LiveMeasurement.LiveRequest);
    return f;
}

} // namespace krovel
