#include "measure/core/LiveMeasurementState.h"

namespace krovel {

LiveMeasurementState LiveMeasurement;

void LiveMeasurementState::Reset() {
    *this = LiveMeasurementState{};
}

} // namespace krovel
