#include "measure/core/LiveMeasurementState.h"

namespace krovel {

LinkRequestRecord LiveRequest{};

} // namespace krovel
